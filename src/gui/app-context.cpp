#include "app-context.h"

#include "settings/ini-file.h"

namespace murlo::gui {

void AppContext::load() {
  settings = LoadSettings(iniPath(), appDirectory);
  placement = FramePlacement{};
  const IniFile ini = IniFile::load(iniPath());
  loadFramePlacement(placement, ini);
  recentFiles.load(ini);
}

bool AppContext::save() const {
  IniFile ini = IniFile::load(iniPath());
  saveFramePlacement(placement, ini);
  recentFiles.save(ini);
  if (!ini.save(iniPath())) return false;
  return SaveSettings(settings, iniPath());
}

}  // namespace murlo::gui
