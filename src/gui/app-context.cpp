#include "app-context.h"

#include "settings/ini-file.h"

namespace murlo::gui {

std::string AppContext::load() {
  const IniFile ini = IniFile::load(iniPath());
  settings = readSettings(ini, appDirectory);
  storedSettings = settings;
  placement = FramePlacement{};
  loadFramePlacement(placement, ini);
  recentFiles.load(ini);
  return ini.readProblem(iniPath());
}

bool AppContext::save() {
  IniFile ini = IniFile::load(iniPath());
  saveFramePlacement(placement, ini);
  recentFiles.save(ini);
  writeChangedSettings(storedSettings, settings, ini);
  if (!ini.save(iniPath())) return false;
  storedSettings = settings;
  return true;
}

}  // namespace murlo::gui
