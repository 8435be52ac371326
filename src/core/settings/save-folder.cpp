#include "settings/save-folder.h"

#include <filesystem>

namespace murlo {

std::string createFolderQuestion(const std::string& folder) {
  return "ﾃﾞｨﾚｸﾄﾘ \"" + folder + "\"は存在しません\n作成しますか？";
}

std::string absolutePath(const std::string& typed) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(typed, error);
  return error ? typed : absolute.lexically_normal().string();
}

bool isSaveDrive(DriveType type) {
  return type == DriveType::kFixed || type == DriveType::kRemovable;
}

std::optional<std::string> checkSaveFolder(const std::string& text, Prompter& prompter,
                                           const std::vector<MountEntry>& mounts) {
  namespace fs = std::filesystem;
  const char* blanks = " \t\r\n";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::nullopt;
  const std::string trimmed = text.substr(first, text.find_last_not_of(blanks) - first + 1);
  if (trimmed.size() <= 2) return std::nullopt;
  // Checked, created and stored where the program's current folder puts it today.
  const std::string folder = absolutePath(trimmed);

  if (!isSaveDrive(driveTypeOf(folder, mounts))) {
    prompter.message(kDriveRefused, PromptIcon::kInformation, PromptButtons::kOk);
    return std::nullopt;
  }
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (!fs::exists(status)) {
    if (prompter.message(createFolderQuestion(folder), PromptIcon::kQuestion,
                         PromptButtons::kYesNo) != PromptAnswer::kYes) {
      return std::nullopt;
    }
    if (!fs::create_directory(folder, ec) || ec) return std::nullopt;
    return folder;
  }
  if (!fs::is_directory(status)) {
    prompter.message(kNotDirectory, PromptIcon::kInformation, PromptButtons::kOk);
    return std::nullopt;
  }
  return folder;
}

std::optional<std::string> browseSaveFolder(Prompter& prompter, const std::string& initialFolder,
                                            const std::vector<MountEntry>& mounts) {
  FileDialogRequest request;
  request.title = "保存先ﾌｫﾙﾀﾞを選択して下さい";
  request.folder = true;
  request.initialFolder = initialFolder;
  std::optional<std::string> chosen = prompter.chooseSaveFile(request);
  if (chosen && !isSaveDrive(driveTypeOf(*chosen, mounts))) {
    prompter.message(kDriveRefused, PromptIcon::kInformation, PromptButtons::kOk);
    return std::nullopt;
  }
  return chosen;
}

void pushSaveFolder(AppSettings& settings, const std::string& folder) {
  if (folder == settings.path01) return;
  if (folder != settings.path02) settings.path03 = settings.path02;
  settings.path02 = settings.path01;
  settings.path01 = folder;
}

}  // namespace murlo
