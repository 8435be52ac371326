#include "settings/app-settings.h"

#include "settings/ini-file.h"
#include "settings/ini-text.h"
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

struct WordKey {
  const char* section;
  const char* key;
  int AppSettings::*field;
};
struct TextKey {
  const char* section;
  const char* key;
  std::string AppSettings::*field;
};

// Every key in the order of the settings table, so load and save cannot disagree.
constexpr WordKey kWordKeys[] = {
    {"SETTING", "DownEx", &AppSettings::downEx},
    {"SETTING", "Tag", &AppSettings::tag},
    {"SETTING", "Movement", &AppSettings::movement},
    {"SETTING", "Connection", &AppSettings::connection},
    {"SETTING", "Output", &AppSettings::output},
    {"SETTING", "Sound", &AppSettings::sound},
    {"SETTING", "Dial", &AppSettings::dial},
    {"SETTING", "ExSet", &AppSettings::exSet},
    {"SETTING", "BufferSize", &AppSettings::bufferSize},
};
constexpr TextKey kTextKeys[] = {
    {"SETTING", "Extend", &AppSettings::extend},
    {"STORE", "PATH01", &AppSettings::path01},
    {"STORE", "PATH02", &AppSettings::path02},
    {"STORE", "PATH03", &AppSettings::path03},
    {"PROXY", "NAME", &AppSettings::proxyName},
    {"PROXY", "PORT", &AppSettings::proxyPort},
    {"CONNECTION", "COOKIES", &AppSettings::cookieFile},
    {"CONNECTION", "CAFILE", &AppSettings::caFile},
    {"SOUND", "FILE01", &AppSettings::file01},
    {"SOUND", "FILE02", &AppSettings::file02},
    {"SOUND", "FILE03", &AppSettings::file03},
};

// The bits of a word that are each a check box of their own; the rest of the word is one
// number. Connection keeps its time-out in bits 8 and up.
int flagBits(int AppSettings::*field) {
  if (field == &AppSettings::bufferSize) return 0;
  if (field == &AppSettings::connection) return 0xFF;
  return ~0;
}

// The word on disk with the program's own changes (from `before` to `after`) laid over it:
// a changed check box replaces its bit, a changed number replaces the number, and what
// another program changed in the meantime stays.
int mergedWord(int onDisk, int before, int after, int flags) {
  const int changedFlags = (before ^ after) & flags;
  int merged = (onDisk & ~changedFlags) | (after & changedFlags);
  if ((before & ~flags) != (after & ~flags)) merged = (merged & flags) | (after & ~flags);
  return merged;
}

}  // namespace

AppSettings LoadSettings(const std::string& iniPath, const std::string& appDirectory) {
  return readSettings(IniFile::load(iniPath), appDirectory);
}

AppSettings readSettings(const IniFile& ini, const std::string& appDirectory) {
  AppSettings s = defaultSettings(appDirectory);
  for (const WordKey& k : kWordKeys) s.*k.field = ini.getInt(k.section, k.key, s.*k.field);
  for (const TextKey& k : kTextKeys) {
    if (auto stored = ini.get(k.section, k.key)) s.*k.field = iniTextToUtf8(*stored);
  }
  return s;
}

bool SaveSettings(const AppSettings& settings, const std::string& iniPath) {
  IniFile ini = IniFile::load(iniPath);
  for (const WordKey& k : kWordKeys) ini.setInt(k.section, k.key, settings.*k.field);
  for (const TextKey& k : kTextKeys) {
    ini.setString(k.section, k.key, utf8ToIniText(settings.*k.field));
  }
  return ini.save(iniPath);
}

void writeChangedSettings(const AppSettings& before, const AppSettings& after, IniFile& ini) {
  const AppSettings onDisk = readSettings(ini, {});
  for (const WordKey& k : kWordKeys) {
    const bool missing = !ini.get(k.section, k.key);
    if (!missing && before.*k.field == after.*k.field) continue;
    ini.setInt(
        k.section, k.key,
        missing ? after.*k.field
                : mergedWord(onDisk.*k.field, before.*k.field, after.*k.field, flagBits(k.field)));
  }
  for (const TextKey& k : kTextKeys) {
    if (!ini.get(k.section, k.key) || before.*k.field != after.*k.field) {
      ini.setString(k.section, k.key, utf8ToIniText(after.*k.field));
    }
  }
}

bool saveChangedSettings(const AppSettings& before, const AppSettings& after,
                         const std::string& iniPath) {
  IniFile ini = IniFile::load(iniPath);
  writeChangedSettings(before, after, ini);
  return ini.save(iniPath);
}

std::string settingsPath(const std::string& appDirectory) {
  return programFilePath(appDirectory, kSettingsFile);
}

}  // namespace murlo
