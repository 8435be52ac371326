// The desktop notification of a job's end, which depends on which window is active: the
// window manager of run-on-desktop.sh decides that, as on a user's desktop.
#include <gtest/gtest.h>
#include <wx/frame.h>

#include <chrono>
#include <filesystem>

#include "analysis/address.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "http-test-server.h"
#include "toolkit-notifier.h"

namespace murlo::test {
namespace {

class DesktopNotice : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    server_.routes().Get("/page.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("<img src=\"a.jpg\">", "text/html");
    });
    server_.routes().Get("/a.jpg", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("jpeg", "image/jpeg");
    });
    server_.start();
    std::filesystem::create_directory(box_.path("dl"));
    box_.write("Murlo.ini", "[STORE]\r\nPATH01=" + box_.path("dl") + "/\r\n");
    ASSERT_TRUE(startFrame());
  }

  // Runs `command` on a list of the rows at `paths`, all selected, to its end.
  void runOn(int command, const std::vector<std::string>& paths) {
    items().deleteAll();
    for (const std::string& path : paths) {
      const SplitAddress s = splitUrl(server_.url(path));
      items().AddItem(s.fileName, s.url, "ADD", s.extension, "", "");
    }
    pumpEvents();
    for (int row = 0; row < items().count(); ++row)
      frame_->view()->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    this->command(command);
    ASSERT_TRUE(pumpUntil([&] { return !frame_->doc()->jobRunning(); }, 15000));
  }

  HttpTestServer server_;
};

TEST_F(DesktopNotice, AJobThatEndsBehindAnotherWindowIsNotifiedUnlessSwitchedOff) {
  frame_->Raise();
  ASSERT_TRUE(pumpUntil([&] { return frame_->IsActive(); }));
  // In front, the window shows the end itself.
  runOn(gui::ID_RUN, {"/a.jpg"});
  EXPECT_EQ(notifier_.notices, std::vector<std::string>{});

  auto* other = new wxFrame(nullptr, wxID_ANY, "another program");
  other->Show();
  other->Raise();
  ASSERT_TRUE(pumpUntil([&] { return !frame_->IsActive(); }));
  runOn(gui::ID_RUN, {"/a.jpg", "/gone.jpg", "/a.jpg"});
  runOn(gui::ID_ANALYZE, {"/page.html"});
  EXPECT_EQ(notifier_.notices, (std::vector<std::string>{"ﾀﾞｳﾝﾛｰﾄﾞが終了しました: 2/3 完了、失敗 1",
                                                         "解析が終了しました: 1/1 完了"}));

  app_.settings.sound |= sound::kNoNotification;
  runOn(gui::ID_RUN, {"/a.jpg"});
  EXPECT_EQ(notifier_.notices.size(), 2u);
  other->Destroy();
}

TEST(ToolkitNotifier, ADesktopWithoutANotificationServiceLosesTheNoticeQuietly) {
  const std::size_t windows = wxTopLevelWindows.size();
  const auto start = std::chrono::steady_clock::now();
  gui::ToolkitNotifier notifier;
  notifier.notify("解析が終了しました", "1/1 完了");
  pumpEvents();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  // No message box about the missing service.
  EXPECT_EQ(wxTopLevelWindows.size(), windows);
}

}  // namespace
}  // namespace murlo::test
