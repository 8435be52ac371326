// The save folder: the check a typed or chosen folder must pass before it becomes PATH01,
// and the PATH01-PATH03 history, for every page that sets the save folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/mount-table.h"
#include "platform/prompter.h"
#include "settings/app-settings.h"

namespace murlo {

inline constexpr const char* kDriveRefused = "このﾄﾞﾗｲﾌﾞは指定できません";
inline constexpr const char* kNotDirectory = "ﾃﾞｨﾚｸﾄﾘ以外は指定できません";

// The question asked before a missing folder is created.
std::string createFolderQuestion(const std::string& folder);

// A typed path as Murlo.ini stores it: a relative path taken against the current folder,
// then without "." and ".." steps; unchanged when the current folder cannot be read.
std::string absolutePath(const std::string& typed);

// True when a folder on this kind of volume may hold downloads.
bool isSaveDrive(DriveType type);

// Checks the folder text as typed: blanks trimmed, at least three characters, on a fixed or
// removable volume, a directory; a missing folder is created (one level) when the user says
// Yes. Returns the trimmed folder made absolute (absolutePath) when it passes; the refusals tell
// the user through `prompter`, except a text too short and a failed creation, which refuse
// silently.
std::optional<std::string> checkSaveFolder(const std::string& text, Prompter& prompter,
                                           const std::vector<MountEntry>& mounts);

// The folder browser "保存先ﾌｫﾙﾀﾞを選択して下さい", opened on `initialFolder`: the chosen folder,
// or nothing when the user cancels or picks a folder on a volume that cannot hold downloads
// (told through `prompter`).
std::optional<std::string> browseSaveFolder(Prompter& prompter, const std::string& initialFolder,
                                            const std::vector<MountEntry>& mounts);

// Pushes `folder` into the history: PATH01 unchanged when it is the folder; otherwise the
// old PATH01 moves to PATH02, and the old PATH02 to PATH03 unless it is the folder itself.
void pushSaveFolder(AppSettings& settings, const std::string& folder);

}  // namespace murlo
