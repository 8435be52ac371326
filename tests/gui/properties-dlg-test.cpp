// The item properties dialog against a loopback HTTP server.
#include "properties-dlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "command-ids.h"
#include "dialog-driver.h"
#include "gui-fixture.h"
#include "http-test-server.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;
using namespace std::chrono_literals;
using Dlg = CPropertiesDlg;

class PropertiesDlgTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    server_.routes().Get("/big.bin", [](const httplib::Request&, httplib::Response& response) {
      response.set_header("Last-Modified", "Tue, 14 Nov 2023 22:13:20 GMT");
      response.set_content(std::string(1000000, 'x'), "application/octet-stream");
    });
    server_.routes().Get("/stall", [this](const httplib::Request&, httplib::Response& response) {
      while (!released_) std::this_thread::sleep_for(10ms);  // the server hangs until released
      response.set_content("late", "application/octet-stream");
    });
    server_.start();
    ASSERT_TRUE(startFrame());
  }
  void TearDown() override {
    released_ = true;
    GuiTest::TearDown();
  }
  // One selected row for the address `path` on the server.
  void addSelected(const std::string& fileName, const std::string& path = "/") {
    items().AddItem(fileName, server_.url(path), "ADD", "bin", "", "http://ref.example/");
    items().setSelected(items().count() - 1, true);
    frame_->view()->pushSelection();
  }
  bool properties(const std::function<void(Dlg&, DialogDriver&)>& use) {
    return driveModal<Dlg>([this] { command(ID_PROPERTIES); }, use);
  }
  // Presses "情報の表示" and waits until the answer is shown.
  static void fetch(Dlg& dlg, DialogDriver& d) {
    d.press(Dlg::kFetchId);
    EXPECT_TRUE(pumpUntil([&] { return !dlg.fetching(); }, 10000));
  }
  std::vector<std::string> texts() { return prompter_.texts(); }

  HttpTestServer server_;
  std::atomic<bool> released_{false};
};

TEST_F(PropertiesDlgTest, EnabledForExactlyOneSelectedRow) {
  auto enabled = [this] {
    frame_->view()->pushSelection();
    wxUpdateUIEvent event(ID_PROPERTIES);
    frame_->GetEventHandler()->ProcessEvent(event);
    return event.GetEnabled();
  };
  EXPECT_FALSE(enabled());
  addSelected("a.bin");
  EXPECT_TRUE(enabled());
  addSelected("b.bin");
  EXPECT_FALSE(enabled());
}

TEST_F(PropertiesDlgTest, FetchShowsSizeAndDatesAndAsksBeforeUpdating) {
  addSelected("big.bin");
  std::string shot;
  EXPECT_TRUE(properties([&](Dlg& dlg, DialogDriver& d) {
    EXPECT_EQ(d.text(Dlg::kSizeId), "未確認");
    EXPECT_EQ(d.text(Dlg::kExtensionId), "bin");
    EXPECT_EQ(d.text(Dlg::kTagId), "ADD");
    d.type(Dlg::kFileNameId, "typed-but-not-confirmed");
    fetch(dlg, d);
    EXPECT_EQ(d.text(Dlg::kSizeId), "0.95 MB   (1000000 byte)");
    EXPECT_EQ(d.text(Dlg::kModifiedId), "2023/11/14");
    EXPECT_FALSE(d.text(Dlg::kCreatedId).empty());
    // The answer puts back the values the dialog holds.
    EXPECT_EQ(d.text(Dlg::kFileNameId), "big.bin");
    shot = saveScreenshot(&dlg, "properties-after-fetch");
    d.press(Dlg::kFetchId);  // unscripted: No
    EXPECT_FALSE(dlg.fetching());
  }));
  EXPECT_EQ(texts(), std::vector<std::string>{"情報は既に表示されています。表示を更新しますか？"});
  std::printf("screenshot: %s\n", shot.c_str());
}

TEST_F(PropertiesDlgTest, MissingFileAndSecondRequestWhileFetching) {
  addSelected("nothing-here.bin");
  EXPECT_TRUE(properties([&](Dlg& dlg, DialogDriver& d) {
    fetch(dlg, d);
    EXPECT_EQ(d.text(Dlg::kSizeId), "このﾌｧｲﾙは存在しません");
    EXPECT_EQ(d.text(Dlg::kModifiedId), "");
  }));

  addSelected("stall");
  items().setSelected(0, false);
  frame_->view()->pushSelection();
  prompter_.answer(PromptAnswer::kYes);
  EXPECT_TRUE(properties([&](Dlg& dlg, DialogDriver& d) {
    d.press(Dlg::kFetchId);
    d.press(Dlg::kFetchId);
    EXPECT_TRUE(dlg.fetching());
    released_ = true;
    EXPECT_TRUE(pumpUntil([&] { return !dlg.fetching(); }, 10000));
    EXPECT_EQ(d.text(Dlg::kSizeId), "4 ﾊﾞｲﾄ   (4 byte)");
  }));
  const auto shown = texts();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), "現在、情報の取得中です");
  EXPECT_EQ(prompter_.messages().back().icon, PromptIcon::kExclamation);
}

TEST_F(PropertiesDlgTest, OkWritesTheEditedColumnsBack) {
  addSelected("old.bin");
  EXPECT_TRUE(properties([&](Dlg&, DialogDriver& d) {
    d.type(Dlg::kUrlId, "");
    EXPECT_FALSE(d.ok());
    d.type(Dlg::kUrlId, "http://other.example/dir/");
    d.type(Dlg::kFileNameId, "");
    d.type(Dlg::kReferrerId, "http://other.example/");
    EXPECT_TRUE(d.ok());
  }));
  EXPECT_EQ(texts(), std::vector<std::string>{"ｱｲﾃﾑ情報に空白は使用できません"});
  EXPECT_EQ(prompter_.messages()[0].icon, PromptIcon::kStop);
  const ItemRecord& r = items().row(0);
  EXPECT_EQ(r.fileName, "(index.htm)");
  EXPECT_EQ(r.extension, "");
  EXPECT_EQ(r.url, "http://other.example/dir/");
  EXPECT_EQ(r.referrer, "http://other.example/");
  EXPECT_EQ(r.tag, "ADD");

  addSelected("cancelled.bin");
  items().setSelected(0, false);
  frame_->view()->pushSelection();
  EXPECT_TRUE(properties([](Dlg&, DialogDriver& d) { d.type(Dlg::kFileNameId, "x.txt"); }));
  EXPECT_EQ(items().row(1).fileName, "cancelled.bin");
}

TEST_F(PropertiesDlgTest, DeleteAsksUnlessConfirmationsAreOff) {
  addSelected("a.bin");
  auto pressDelete = [](Dlg&, DialogDriver& d) { d.press(Dlg::kDeleteId); };
  EXPECT_TRUE(properties(pressDelete));  // No
  EXPECT_EQ(items().count(), 1);
  prompter_.answer(PromptAnswer::kYes);
  EXPECT_TRUE(properties(pressDelete));
  EXPECT_EQ(items().count(), 0);
  EXPECT_EQ(texts(), (std::vector<std::string>(2, "本当に削除してよろしいですか？")));

  app_.settings.movement |= movement::kNoConfirm;
  addSelected("b.bin");
  EXPECT_TRUE(properties(pressDelete));
  EXPECT_EQ(items().count(), 0);
  EXPECT_EQ(texts().size(), 2u);
}

TEST_F(PropertiesDlgTest, BrowserOpensTheFullAddress) {
  addSelected("(index.htm)", "/dir/");
  shell_.available = false;
  EXPECT_TRUE(properties([](Dlg&, DialogDriver& d) {
    d.type(Dlg::kUrlId, "http://edited.example/");  // not confirmed: not used
    d.press(Dlg::kBrowserId);
  }));
  EXPECT_EQ(shell_.opened, std::vector<std::string>{server_.url("/dir/")});
  EXPECT_EQ(texts(), std::vector<std::string>{
                         "ﾌﾞﾗｳｻﾞの起動ｴﾗｰです。ﾌﾞﾗｳｻﾞがｲﾝｽﾄｰﾙされているか確認して下さい。"});
}

TEST_F(PropertiesDlgTest, ClosingDuringAStalledFetchStopsTheThreadInTime) {
  addSelected("stall");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(properties([](Dlg& dlg, DialogDriver& d) {
    d.press(Dlg::kFetchId);
    EXPECT_TRUE(dlg.fetching());
  }));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, 3s);
  // The list goes on being used while the thread that was let go ends on its own.
  released_ = true;
  items().deleteAll();
  addSelected("big.bin");
  pumpUntil([] { return false; }, 1500);
  EXPECT_EQ(items().count(), 1);
  EXPECT_EQ(items().row(0).info, "");
}

TEST_F(PropertiesDlgTest, AThreadHeldInAQuestionIsGivenUpAfterTwoSeconds) {
  // The engine's error message about the missing file is left unanswered on the worker
  // thread until the test releases it.
  std::atomic<bool> asked{false};
  prompter_.whileShown = [&](const ScriptedPrompter::Message&) {
    asked = true;
    while (!released_) std::this_thread::sleep_for(10ms);
  };
  addSelected("nothing-here.bin");
  std::chrono::steady_clock::time_point closed;
  EXPECT_TRUE(properties([&](Dlg&, DialogDriver& d) {
    d.press(Dlg::kFetchId);
    ASSERT_TRUE(pumpUntil([&] { return asked.load(); }, 10000));
    closed = std::chrono::steady_clock::now();
    d.dlg.EndModal(wxID_CANCEL);
  }));
  const auto took = std::chrono::steady_clock::now() - closed;
  EXPECT_GE(took, 1900ms);
  EXPECT_LT(took, 3s);
  EXPECT_EQ(items().count(), 1);
  released_ = true;
  // The thread that was let go ends on its own, into its own record only.
  pumpUntil([] { return false; }, 500);
  EXPECT_EQ(items().row(0).fileName, "nothing-here.bin");
  EXPECT_EQ(items().row(0).info, "");
}

}  // namespace
}  // namespace murlo::test
