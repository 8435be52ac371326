// Prompter: the questions and notices the core puts to the user. The GUI shows them as
// message boxes and dialogs on its UI thread; the CLI asks on the terminal; tests script
// the answers. Any thread may call it; a worker thread waits until the answer is given.
#pragma once

#include <optional>
#include <string>

namespace murlo {

enum class PromptIcon { kInformation, kExclamation, kStop, kQuestion };
// kYesNoDefaultNo: a question about something risky, with No as the default; a blanket
// answer given beforehand (the command line's --yes) does not answer it.
enum class PromptButtons { kOk, kYesNo, kYesNoDefaultNo };
enum class PromptAnswer { kOk, kYes, kNo };

// The four choices of the overwrite confirmation ("上書き保存の確認").
enum class OverwriteChoice {
  kOverwrite = 0,      // 上書き保存
  kSaveAs = 1,         // 名前を付けて保存
  kOverwriteAll = 2,   // 以降全て上書き
  kAutoRenameAll = 3,  // 以降全て自動 ﾘﾈｰﾑ
};

struct FileDialogRequest {
  std::string title;
  std::string filter;  // "label|pattern|...||" as the program writes it
  std::string initialFolder;
  std::string initialName;
  bool mustExist = false;  // open dialog: the file must exist
  bool folder = false;     // a folder, not a file, is chosen (title and initialFolder only)
  bool confirmOverwrite = false;
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  // A message box. Texts are UTF-8. With kOk buttons the answer is always kOk.
  virtual PromptAnswer message(const std::string& text, PromptIcon icon, PromptButtons buttons) = 0;

  // The overwrite confirmation for `url` and the local `fileName` candidate.
  virtual OverwriteChoice confirmOverwrite(const std::string& url, const std::string& fileName) = 0;

  // A save-type file dialog; nothing when the user cancels. Returns the chosen full path.
  virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace murlo
