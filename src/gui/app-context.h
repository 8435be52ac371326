// What the whole program shares: the application directory, the settings, the window
// placement and the interfaces to the desktop. Created by the application object; UI thread.
#pragma once

#include <chrono>
#include <string>

#include "platform/command-runner.h"
#include "platform/desktop-shell.h"
#include "platform/file-lock.h"
#include "platform/prompter.h"
#include "platform/sound-player.h"
#include "platform/system-shutdown.h"
#include "settings/app-settings.h"
#include "settings/frame-placement.h"
#include "settings/program-files.h"
#include "settings/recent-files.h"

namespace murlo::gui {

struct AppContext {
  std::string appDirectory;
  AppSettings settings;
  // The settings as the file held them when last read or written: save() writes back only
  // what changed since, so what another program wrote meanwhile is kept.
  AppSettings storedSettings;
  FramePlacement placement;
  RecentFiles recentFiles;
  Prompter* prompter = nullptr;
  DesktopShell* shell = nullptr;
  // The end-of-job actions: sounds, the dial-up hang-up (through nmcli) and the power-off.
  SoundPlayer* sound = nullptr;
  CommandRunner* commands = nullptr;
  SystemShutdown* shutdown = nullptr;
  // How long saving a list waits for another program's lock on it.
  std::chrono::milliseconds listLockPatience = kFileLockPatience;
  // The period of the job timers 1234 and 4321, which poll a running job and count the
  // shut-down countdown (20 ticks).
  std::chrono::milliseconds jobTick{500};

  std::string iniPath() const { return settingsPath(appDirectory); }
  std::string appFile(std::string_view name) const { return programFilePath(appDirectory, name); }
  bool offline() const { return (settings.connection & connection::kOffline) != 0; }

  // Reads settings and placement from Murlo.ini in the application directory. Returns why
  // the defaults were taken when the file is there but cannot be used (not a regular file,
  // too large, unreadable); it is then never written. Empty otherwise.
  std::string load();
  // Writes placement, recent files and the settings this program changed into the file as
  // it is on disk now, in one temporary-file-and-rename, keeping every other key.
  bool save();
};

}  // namespace murlo::gui
