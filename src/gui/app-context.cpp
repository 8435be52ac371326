#include "app-context.h"

#include "settings/ini-file.h"

namespace murlo::gui {

std::string AppContext::load() {
  const IniFile ini = IniFile::load(iniPath());
  settings = readSettings(ini, appDirectory);
  placement = FramePlacement{};
  loadFramePlacement(placement, ini);
  recentFiles.load(ini);
  return ini.readProblem(iniPath());
}

bool AppContext::save() const {
  IniFile ini = IniFile::load(iniPath());
  saveFramePlacement(placement, ini);
  recentFiles.save(ini);
  if (!ini.save(iniPath())) return false;
  return SaveSettings(settings, iniPath());
}

}  // namespace murlo::gui
