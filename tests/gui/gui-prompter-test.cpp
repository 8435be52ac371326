#include "gui-prompter.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/dirdlg.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

// The generic message box builds on the declarations of wx/msgdlg.h.
#include <wx/generic/msgdlgg.h>

#include <atomic>
#include <thread>

#include "gui-fixture.h"
#include "overwrite-confirm-dlg.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

// Picks "以降全て自動 ﾘﾈｰﾑ" in the overwrite confirmation and presses OK.
class ChooseAutoRename : public wxExpectModalBase<COverwriteConfirmDlg> {
 protected:
  int OnInvoked(COverwriteConfirmDlg* dlg) const override {
    EXPECT_EQ(std::string(dlg->GetTitle().utf8_str()), "上書き保存の確認");
    dlg->button(OverwriteChoice::kAutoRenameAll)->SetValue(true);
    EXPECT_TRUE(dlg->takeChoice());
    return wxID_OK;
  }
};

// Answers a question with No.
class AnswerNo : public wxExpectModalBase<wxGenericMessageDialog> {
 protected:
  int OnInvoked(wxGenericMessageDialog*) const override { return wxID_NO; }
};

TEST(GuiPrompter, AWorkerThreadWaitsForTheAnswerGivenOnTheUiThread) {
  GuiPrompter prompter;
  std::atomic<bool> done{false};
  OverwriteChoice choice = OverwriteChoice::kOverwrite;
  PromptAnswer answer = PromptAnswer::kYes;
  wxTEST_DIALOG(
      {
        std::thread worker([&] {
          choice = prompter.confirmOverwrite("http://h.jp/a.jpg", "a.jpg");
          answer = prompter.message("続けますか？", PromptIcon::kQuestion, PromptButtons::kYesNo);
          done = true;
        });
        const bool answered = pumpUntil([&] { return done.load(); });
        worker.join();
        EXPECT_TRUE(answered);
      },
      ChooseAutoRename(), AnswerNo());
  EXPECT_EQ(choice, OverwriteChoice::kAutoRenameAll);
  EXPECT_EQ(answer, PromptAnswer::kNo);
}

// Reads whether the folder browser offers to create a folder, from the toolkit's own
// chooser (looked up at run time: the tests are built without the toolkit's headers), and
// cancels.
class ReadCreateFolders : public wxExpectModalBase<wxDirDialog> {
 public:
  explicit ReadCreateFolders(int& offered) : offered_(offered) {}

 protected:
  int OnInvoked(wxDirDialog* dlg) const override {
    using GetCreateFolders = int (*)(void*);
    const auto get = reinterpret_cast<GetCreateFolders>(
        dlsym(RTLD_DEFAULT, "gtk_file_chooser_get_create_folders"));
    EXPECT_NE(get, nullptr);
    if (get) offered_ = get(dlg->GetHandle());
    return wxID_CANCEL;
  }

 private:
  int& offered_;
};

TEST(GuiPrompter, TheFolderBrowserCanCreateAFolder) {
  GuiPrompter prompter;
  FileDialogRequest request;
  request.title = "保存先ﾌｫﾙﾀﾞを選択して下さい";
  request.folder = true;
  int offered = -1;
  std::optional<std::string> chosen;
  wxTEST_DIALOG(chosen = prompter.chooseSaveFile(request), ReadCreateFolders(offered));
  EXPECT_EQ(offered, 1);
  EXPECT_EQ(chosen, std::nullopt);
}

}  // namespace
}  // namespace murlo::test
