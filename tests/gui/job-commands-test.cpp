#include "job-commands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "about-dlg.h"
#include "analysis/address.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "http-test-server.h"
#include "jobs/shutdown-countdown.h"
#include "logic/wizard-rules.h"
#include "murlo-doc.h"
#include "net/partial-file.h"
#include "output-window.h"
#include "progress-dlg.h"
#include "recursive-dlg.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

class JobCommandsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    server_.routes().Get("/site/index.html", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(
          "<html><body><img src=\"a.jpg\"><a href=\"b.zip\">b</a>"
          "<a href=\"index.html\">self</a></body></html>",
          "text/html");
    });
    server_.routes().Get("/site/a.jpg", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string(3000, 'j'), "image/jpeg");
    });
    server_.routes().Get("/site/b.zip", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string(5000, 'z'), "application/zip");
    });
    const auto slow = [this](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(1 << 20, "application/zip",
                               [this](size_t, size_t length, httplib::DataSink& sink) {
                                 // Slow until released, then the rest at once.
                                 if (!releaseSlow_)
                                   std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                 const std::string block(std::min<size_t>(length, 512), 's');
                                 sink.write(block.data(), block.size());
                                 return true;
                               });
    };
    server_.routes().Get("/slow.zip", slow);
    server_.routes().Get("/slow.html", slow);
    server_.start();
    box_.write("Murlo.ini",
               "[STORE]\r\nPATH01=" + box_.path("dl") +
                   "\r\n[SETTING]\r\nSound=7\r\n"
                   "[SOUND]\r\nFILE01=done.wav\r\nFILE02=got.wav\r\nFILE03=err.wav\r\n");
    std::filesystem::create_directory(box_.path("dl"));
    ASSERT_TRUE(startFrame());
  }
  void TearDown() override {
    releaseSlow_ = true;
    GuiTest::TearDown();
  }

  ItemList& items() { return frame_->doc()->items(); }
  JobCommands& jobs() { return *frame_->jobs(); }
  bool waitForJobEnd() {
    return pumpUntil([&] { return !frame_->doc()->jobRunning(); }, 15000);
  }
  void addPage(const std::string& path) {
    const SplitAddress s = splitUrl(server_.url(path));
    items().AddItem(s.fileName, s.url, "ADD", s.extension, "", "");
  }
  std::string output() { return std::string(frame_->output()->GetValue().utf8_str()); }
  std::string title() { return std::string(frame_->GetTitle().utf8_str()); }
  // Starts `command` on the one row `path` and waits until that row is being fetched.
  bool startOn(const std::string& path, int command) {
    addPage(path);
    pumpEvents();
    frame_->view()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    this->command(command);
    return pumpUntil([&] { return items().row(0).image == kImageDownloading; });
  }

  HttpTestServer server_;
  std::atomic<bool> releaseSlow_{false};
};

TEST_F(JobCommandsTest, AnalyseThenDownloadTheWholeList) {
  addPage("/site/index.html");
  pumpEvents();
  frame_->view()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  command(ID_ANALYZE);
  EXPECT_TRUE(frame_->doc()->jobRunning());
  EXPECT_TRUE(jobs().progressWindow()->IsShown());
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_FALSE(jobs().progressWindow()->IsShown());
  ASSERT_EQ(items().count(), 4);  // the page, a.jpg, b.zip and the page again
  EXPECT_EQ(items().text(1, kColFileName), "a.jpg");
  EXPECT_EQ(items().text(1, kColTag), "IMG");
  EXPECT_NE(output().find("\nAnalyze..."), std::string::npos);
  EXPECT_EQ(desktop_.events, std::vector<std::string>{"sound done.wav"});

  // Only the files: delete the pages, then run the whole list.
  command(ID_NOT_HTML);
  ASSERT_EQ(items().count(), 2);
  command(ID_RUN);
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_EQ(items().count(), 0) << output();  // finished rows are removed
  EXPECT_EQ(box_.read("dl/a.jpg").size(), 3000u);
  EXPECT_EQ(box_.read("dl/b.zip").size(), 5000u);
  EXPECT_NE(output().find(">Succeed :" + server_.url("/site/b.zip")), std::string::npos);
  EXPECT_EQ(desktop_.events.back(), "sound got.wav");
  EXPECT_EQ(std::string(frame_->GetTitle().utf8_str()), "Murlo ver2.02 - Murlo");
}

TEST_F(JobCommandsTest, SuspendTagsTheRowResumeAndClicksAreSwallowed) {
  addPage("/slow.zip");
  addPage("/site/a.jpg");
  pumpEvents();
  frame_->view()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  command(ID_RUN);
  ASSERT_TRUE(pumpUntil([&] { return items().row(0).image == kImageDownloading; }));
  // The bytes go to the partial file until the download is complete.
  const std::string partial = partialPathFor(box_.path("dl/slow.zip"), server_.url("/slow.zip"));
  ASSERT_TRUE(pumpUntil([&] { return std::filesystem::exists(partial); }));

  // A click on the list while the job runs does not reach the list.
  for (wxWindow* child : frame_->view()->GetChildren()) {
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetEventObject(child);
    child->GetEventHandler()->ProcessEvent(click);
  }
  EXPECT_TRUE(items().row(1).selected || frame_->view()->GetItemState(1, wxLIST_STATE_SELECTED));

  prompter_.answer(PromptAnswer::kYes);
  command(ID_SUSPEND);
  EXPECT_EQ(prompter_.messages().back().text, "処理を中断します。よろしいですか？");
  EXPECT_FALSE(frame_->doc()->jobRunning());
  EXPECT_EQ(items().text(0, kColTag), "RESUME");
  EXPECT_NE(items().text(0, kColInfo).find(partial), std::string::npos);
  EXPECT_FALSE(box_.exists("dl/slow.zip"));
  EXPECT_EQ(items().count(), 2);

  prompter_.answer(PromptAnswer::kYes);
  command(ID_STOP);
  EXPECT_EQ(prompter_.messages().back().text, "作業は、既に終了しています。");
}

TEST_F(JobCommandsTest, ARowDeletedWhileTheDownloadRunsIsNotFetched) {
  addPage("/slow.zip");
  addPage("/site/a.jpg");
  addPage("/site/b.zip");
  pumpEvents();
  frame_->view()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  command(ID_RUN);
  ASSERT_TRUE(pumpUntil([&] { return items().row(0).image == kImageDownloading; }));
  prompter_.answer(PromptAnswer::kYes);
  command(ID_DELETE);
  releaseSlow_ = true;
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_EQ(items().count(), 0);
  EXPECT_FALSE(box_.exists("dl/a.jpg"));
  EXPECT_EQ(box_.read("dl/b.zip").size(), 5000u);
  EXPECT_EQ(output().find(server_.url("/site/a.jpg")), std::string::npos) << output();
}

TEST_F(JobCommandsTest, StopEndsARunningDownloadOrAnalysisAndOtherCommandsKeepTheTitle) {
  ASSERT_TRUE(startOn("/slow.zip", ID_RUN));
  ASSERT_TRUE(pumpUntil([&] { return title() == "0/1 Finished - Murlo"; }));
  // Only the offline mark and the settings sheet touch the title during a download.
  app_.settings.movement |= movement::kNoConfirm;
  command(ID_OFFLINE);
  EXPECT_EQ(title(), "0/1 Finished - Murlo - [ｵﾌﾗｲﾝ作業]");
  command(ID_OFFLINE);
  prompter_.giveFile(box_.path("during.mrl"));
  command(ID_FILE_SAVE_AS);
  EXPECT_TRUE(box_.exists("during.mrl"));
  EXPECT_TRUE(driveModal<CAboutDlg>([&] { command(ID_APP_ABOUT); },
                                    [](CAboutDlg& dlg) { dlg.EndModal(wxID_OK); }));
  EXPECT_EQ(title(), "0/1 Finished - Murlo");

  prompter_.answer(PromptAnswer::kNo);
  command(ID_STOP);
  EXPECT_EQ(prompter_.messages().back().text, "処理を中止します。よろしいですか？");
  EXPECT_TRUE(frame_->doc()->jobRunning());
  prompter_.answer(PromptAnswer::kYes);
  command(ID_STOP);
  EXPECT_FALSE(frame_->doc()->jobRunning());
  EXPECT_FALSE(jobs().progressWindow()->IsShown());
  EXPECT_EQ(items().row(0).image, kImageFailed);
  EXPECT_EQ(title(), "Murlo ver2.02 - Murlo");
  EXPECT_FALSE(box_.exists("dl/slow.zip"));

  items().deleteAll();
  ASSERT_TRUE(startOn("/slow.html", ID_ANALYZE));
  prompter_.answer(PromptAnswer::kYes);
  command(ID_STOP);
  EXPECT_FALSE(frame_->doc()->jobRunning());
  EXPECT_EQ(items().row(0).image, kImageFinished);
  EXPECT_EQ(items().count(), 1);
  pumpEvents();  // no late result reaches the list
  EXPECT_EQ(items().count(), 1);
}

TEST_F(JobCommandsTest, FromTheAddItemBarThroughAnalysisToADownloadAndARestart) {
  frame_->urlCombo()->SetValue(wxString::FromUTF8(server_.url("/site/index.html")));
  command(ID_ADD_FROM_BAR);
  ASSERT_EQ(items().count(), 1);
  pumpEvents();
  frame_->view()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  command(ID_ANALYZE);
  ASSERT_TRUE(waitForJobEnd());
  command(ID_NOT_HTML);
  addPage("/slow.zip");
  command(ID_RUN);
  const std::string partial = partialPathFor(box_.path("dl/slow.zip"), server_.url("/slow.zip"));
  ASSERT_TRUE(
      pumpUntil([&] { return box_.exists("dl/b.zip") && std::filesystem::exists(partial); }));
  pumpUntil([&] { return jobs().progressWindow()->figure(CProgressDlg::kDownloaded) != "*"; });
  EXPECT_TRUE(
      pumpUntil([&] { return items().text(0, kColInfo).find(" KB") != std::string::npos; }));
  std::printf("screenshots: %s %s\n", saveScreenshot(frame_, "main-window-download").c_str(),
              saveScreenshot(jobs().progressWindow(), "progress-window").c_str());

  // Closing during the job: No keeps the window and the job.
  prompter_.answer(PromptAnswer::kNo);
  EXPECT_FALSE(closeFrame());
  EXPECT_TRUE(frame_->doc()->jobRunning());
  releaseSlow_ = true;
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_EQ(items().count(), 0);
  EXPECT_NE(output().find(">Succeed :" + server_.url("/site/a.jpg")), std::string::npos);

  frame_->aui().GetPane("ToolBar").Float().FloatingPosition(400, 300);
  frame_->aui().Update();
  ASSERT_TRUE(closeFrame());
  ASSERT_TRUE(startFrame());
  EXPECT_TRUE(frame_->aui().GetPane("ToolBar").IsFloating());
  EXPECT_EQ(std::string(frame_->urlCombo()->GetValue().utf8_str()),
            server_.url("/site/index.html"));
}

TEST_F(JobCommandsTest, ShutdownCountdownOkInTimeAndTimeOut) {
  // The countdown runs on the real job timer, as on a user's desktop: with ticks of a few
  // milliseconds the job's end and the message it opens meet the timer at other moments.
  addPage("/site/a.jpg");
  app_.settings.dial = dial::kHangUp | dial::kShutdown;
  // While the shut-down question waits no job exists, but the work is not over yet.
  prompter_.whileShown = [this](const ScriptedPrompter::Message& m) {
    if (m.text.rfind("ｼｽﾃﾑを終了します", 0) != 0) return;
    prompter_.answer(PromptAnswer::kYes);
    command(ID_STOP);
    EXPECT_TRUE(frame_->doc()->jobRunning());
  };
  command(ID_RUN);
  ASSERT_TRUE(waitForJobEnd());
  ASSERT_EQ(desktop_.events.size(), 3u);
  EXPECT_EQ(desktop_.events[0], "sound got.wav");
  EXPECT_EQ(desktop_.events[2],
            "nmcli connection down uuid 1234-abcd");  // hung up before the question
  EXPECT_EQ(prompter_.texts(),
            (std::vector<std::string>{
                "ｼｽﾃﾑを終了します。終了しない場合は、[OK] ﾎﾞﾀﾝをｸﾘｯｸして下さい。",
                "処理を中止します。よろしいですか？", "現在、解析中です。暫くお待ち下さい。"}));
  EXPECT_EQ(jobs().shutdownCountdown(), 0);

  // Leaving the message open: the timer counts 20 ticks and shuts down.
  addPage("/site/a.jpg");
  desktop_.events.clear();
  std::chrono::steady_clock::duration shown{};
  prompter_.whileShown = [&](const ScriptedPrompter::Message& m) {
    if (m.text.rfind("ｼｽﾃﾑを終了します", 0) != 0) return;
    const auto start = std::chrono::steady_clock::now();
    pumpUntil([&] { return !desktop_.events.empty() && desktop_.events.back() == "poweroff"; },
              20000);
    shown = std::chrono::steady_clock::now() - start;
  };
  command(ID_RUN);
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_EQ(desktop_.events.back(), "poweroff");
  // Twenty ticks, the first of them up to one period after the message appeared.
  EXPECT_GE(shown, (ShutdownCountdown::kLastTick - 1) * app_.jobTick);
  EXPECT_EQ(jobs().shutdownCountdown(), 0);
}

TEST_F(JobCommandsTest, RecursiveAnalysisChecksTheAddressAndChainsTheDownload) {
  // The recursive dialog, filled in and answered with OK.
  auto recurse = [this](const std::string& address, bool autoDownload) {
    EXPECT_TRUE(driveModal<CRecursiveDlg>([this] { command(ID_RECURSIVE); },
                                          [&](CRecursiveDlg& dlg, DialogDriver& d) {
                                            dlg.addressField()->SetValue(
                                                wxString::FromUTF8(address));
                                            dlg.autoDownloadBox()->SetValue(autoDownload);
                                            dlg.deleteHtmlBox()->SetValue(true);
                                            d.press(wxID_OK);
                                          }));
  };
  recurse(server_.url("/site/a.jpg"), false);
  EXPECT_EQ(prompter_.messages().back().text, "このURLは解析不可能です。");
  EXPECT_FALSE(frame_->doc()->jobRunning());

  recurse(server_.url("/site/index.html"), true);
  EXPECT_EQ(items().text(0, kColTag), "INDUCT");
  ASSERT_TRUE(waitForJobEnd());
  // Pages deleted, the files downloaded and removed from the list.
  EXPECT_EQ(items().count(), 0);
  EXPECT_TRUE(box_.exists("dl/a.jpg"));
  EXPECT_TRUE(box_.exists("dl/b.zip"));
  EXPECT_EQ(desktop_.events, (std::vector<std::string>{"sound done.wav", "sound got.wav"}));
}

TEST_F(JobCommandsTest, TheWizardsRecursiveModeCrawlsTheFolderAndDownloads) {
  frame_->jobs()->finishWizard(wizard::WizardMode::kRecursive, server_.url("/site/index.html"));
  EXPECT_EQ(items().text(0, kColTag), "WIZARD");
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_TRUE(box_.exists("dl/a.jpg"));
  EXPECT_TRUE(box_.exists("dl/b.zip"));
  EXPECT_TRUE(box_.exists("dl/index.html"));
  EXPECT_EQ(items().count(), 0);
}

TEST_F(JobCommandsTest, AnalyseIsEnabledOnlyForPageNames) {
  addPage("/site/a.jpg");
  pumpEvents();
  frame_->view()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  wxUpdateUIEvent event(ID_ANALYZE);
  frame_->GetEventHandler()->ProcessEvent(event);
  EXPECT_FALSE(event.GetEnabled());
  wxUpdateUIEvent download(ID_DOWNLOAD);
  frame_->GetEventHandler()->ProcessEvent(download);
  EXPECT_TRUE(download.GetEnabled());
}

}  // namespace
}  // namespace murlo::test
