#include "settings/app-settings.h"

#include "settings/ini-file.h"
#include "settings/program-files.h"

namespace murlo {

int AppSettings::bufferBytes() const {
  const int index = (bufferSize >= 0 && bufferSize <= 3) ? bufferSize : 2;
  return 256 << index;
}

std::int64_t AppSettings::timeoutMs() const {
  return static_cast<std::int64_t>(connection / 256) * 10000;
}

std::string AppSettings::proxyText() const { return proxyName + ":" + proxyPort; }

std::string AppSettings::saveFolder() const {
  if (!path01.empty() && path01.back() == '/') return path01;
  return path01 + "/";
}

AppSettings defaultSettings(const std::string& appDirectory) {
  AppSettings s;
  s.path01 = appDirectory;
  s.tag = tagbits::kNewInstallation;
  return s;
}

namespace {

// Visits every key in the order of the settings table, so load and save cannot disagree.
template <typename Settings, typename IntFn, typename StrFn>
void forEachKey(Settings& s, IntFn onInt, StrFn onString) {
  onInt("SETTING", "DownEx", s.downEx);
  onInt("SETTING", "Tag", s.tag);
  onInt("SETTING", "Movement", s.movement);
  onInt("SETTING", "Connection", s.connection);
  onInt("SETTING", "Output", s.output);
  onInt("SETTING", "Sound", s.sound);
  onInt("SETTING", "Dial", s.dial);
  onInt("SETTING", "ExSet", s.exSet);
  onInt("SETTING", "BufferSize", s.bufferSize);
  onString("SETTING", "Extend", s.extend);
  onString("STORE", "PATH01", s.path01);
  onString("STORE", "PATH02", s.path02);
  onString("STORE", "PATH03", s.path03);
  onString("PROXY", "NAME", s.proxyName);
  onString("PROXY", "PORT", s.proxyPort);
  onString("SOUND", "FILE01", s.file01);
  onString("SOUND", "FILE02", s.file02);
  onString("SOUND", "FILE03", s.file03);
}

}  // namespace

AppSettings LoadSettings(const std::string& iniPath, const std::string& appDirectory) {
  return readSettings(IniFile::load(iniPath), appDirectory);
}

AppSettings readSettings(const IniFile& ini, const std::string& appDirectory) {
  AppSettings s = defaultSettings(appDirectory);
  forEachKey(
      s, [&](const char* sec, const char* key, int& v) { v = ini.getInt(sec, key, v); },
      [&](const char* sec, const char* key, std::string& v) { v = ini.getString(sec, key, v); });
  return s;
}

bool SaveSettings(const AppSettings& settings, const std::string& iniPath) {
  IniFile ini = IniFile::load(iniPath);
  forEachKey(
      settings, [&](const char* sec, const char* key, const int& v) { ini.setInt(sec, key, v); },
      [&](const char* sec, const char* key, const std::string& v) { ini.setString(sec, key, v); });
  return ini.save(iniPath);
}

std::string settingsPath(const std::string& appDirectory) {
  return programFilePath(appDirectory, kSettingsFile);
}

}  // namespace murlo
