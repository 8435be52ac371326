#include "wizard/wizard.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dnd.h>
#include <wx/radiobut.h>

#include <filesystem>
#include <random>

#include "analysis/address.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "http-test-server.h"
#include "job-commands.h"
#include "paste-button.h"
#include "settings/save-folder.h"
#include "wizard-user.h"
#include "wizard/wiz-address-page.h"
#include "wizard/wiz-dlg04.h"
#include "wizard/wiz-dlg06.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;
using namespace murlo::gui::wizard;

constexpr const char* kImages = "画像集めをする(&P)";
constexpr const char* kHomePage = "ﾎｰﾑﾍﾟｰｼﾞをﾀﾞｳﾝﾛｰﾄﾞする(&H)";
constexpr const char* kLargeFile = "ｻｲｽﾞの大きなﾌｧｲﾙをﾀﾞｳﾝﾛｰﾄﾞする(&S)";
constexpr const char* kShownInPage = "ﾎｰﾑﾍﾟｰｼﾞに直接表示される形式(&I)";
constexpr const char* kLinkedPages = "現在のﾍﾟｰｼﾞとﾘﾝｸされているﾍﾟｰｼﾞをﾀﾞｳﾝﾛｰﾄﾞ(&N)";
constexpr const char* kRecursive = "現在のﾍﾟｰｼﾞから、再帰的にﾘﾝｸを捜しだしてﾀﾞｳﾝﾛｰﾄﾞ(&I)";
constexpr const char* kSiteFolders = "実際のﾍﾟｰｼﾞのﾘﾝｸと同じようにﾌｫﾙﾀﾞを作成して保存(&D)";

class WizardTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    serve("/site/index.html",
          "<html><body><img src=\"a.jpg\"><a href=\"sub/page.html\">p</a><a href=\"b.zip\">b</a>"
          "<a href=\"/other/x.jpg\">x</a></body></html>",
          "text/html");
    serve("/site/a.jpg", std::string(3000, 'j'), "image/jpeg");
    serve("/site/b.zip", std::string(4000, 'z'), "application/zip");
    serve("/site/sub/page.html", "<html><body><img src=\"c.jpg\"></body></html>", "text/html");
    serve("/site/sub/c.jpg", std::string(2000, 'c'), "image/jpeg");
    serve("/other/x.jpg", "x", "image/jpeg");
    std::mt19937 random(7);
    big_.resize(5 << 20);
    for (char& byte : big_) byte = static_cast<char>(random());
    serve("/files/big.bin", big_, "application/octet-stream");
    server_.start();
    std::filesystem::create_directory(box_.path("dl"));
    box_.write("Murlo.ini",
               "[STORE]\r\nPATH01=" + box_.path("dl") + "\r\n[SETTING]\r\nMovement=0\r\nTag=2\r\n");
    ASSERT_TRUE(startFrame());
  }

  void serve(const std::string& path, std::string body, const char* type) {
    server_.routes().Get(path, [body, type](const httplib::Request&, httplib::Response& res) {
      res.set_content(body, type);
    });
  }
  // Opens the wizard from its command and works it; whatever `use` leaves open is cancelled.
  void runWizard(const std::function<void(WizardUser&)>& use) {
    ASSERT_TRUE(driveModal<CWizard>([&] { command(ID_WIZARD); },
                                    [&](CWizard& wizard) {
                                      WizardUser user{wizard};
                                      use(user);
                                    }));
  }
  bool waitForJobEnd() {
    return pumpUntil([&] { return !frame_->doc()->jobRunning(); }, 20000);
  }
  void addRow(const std::string& address) {
    const SplitAddress s = splitUrl(address);
    items().AddItem(s.fileName, s.url, "ADD", s.extension, "", "");
  }

  HttpTestServer server_;
  std::string big_;
};

TEST_F(WizardTest, ImagesOfAPageAreAnalysedAndDownloaded) {
  addRow("http://old.example/old.html");
  runWizard([&](WizardUser& u) {
    EXPECT_EQ(u.page(), WizardPage::kPurpose);
    EXPECT_FALSE(u.backEnabled());
    EXPECT_EQ(u.buttonLabel(wxID_FORWARD), "次へ(&N) >");
    u.choose(kImages);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kLinkForm);
    EXPECT_TRUE(u.backEnabled());
    u.choose(kShownInPage);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kAddress);
    u.back();
    EXPECT_EQ(u.page(), WizardPage::kLinkForm);
    u.next();
    EXPECT_EQ(u.text(CWizAddressPage::kFolderId), box_.path("dl"));
    // A browser's drop, on the page or on the address field: only a text that starts with
    // "http" replaces the address.
    auto* drop = dynamic_cast<wxTextDropTarget*>(u.current()->GetDropTarget());
    ASSERT_NE(drop, nullptr);
    auto* fieldDrop = dynamic_cast<wxTextDropTarget*>(
        u.current()->FindWindow(CWizAddressPage::kAddressId)->GetDropTarget());
    ASSERT_NE(fieldDrop, nullptr);
    EXPECT_FALSE(drop->OnDropText(0, 0, "file:///etc/passwd"));
    EXPECT_FALSE(fieldDrop->OnDropText(0, 0, "file:///etc/passwd"));
    EXPECT_EQ(u.text(CWizAddressPage::kAddressId), "");
    EXPECT_TRUE(drop->OnDropText(0, 0, wxString::FromUTF8(server_.url("/site/index.html"))));
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kSummary);
    EXPECT_EQ(u.summary().folderText(), box_.path("dl"));
    EXPECT_EQ(u.summary().addressText(), server_.url("/site/index.html"));
    EXPECT_EQ(u.summary().modeText(), "画像解析→ﾀﾞｳﾝﾛｰﾄﾞ");
    EXPECT_EQ(u.buttonLabel(wxID_FORWARD), "完了");
    u.next();
  });
  EXPECT_EQ(app_.settings.tag, tagbits::kImage);
  ASSERT_GE(items().count(), 1);
  EXPECT_EQ(items().text(0, kColFileName), "index.html");
  EXPECT_EQ(items().text(0, kColTag), "WIZARD");
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_EQ(box_.read("dl/a.jpg"), std::string(3000, 'j'));
  EXPECT_FALSE(box_.exists("dl/b.zip"));  // a link, not an image
  EXPECT_EQ(items().count(), 0);
}

TEST_F(WizardTest, HomePageRecursiveRebuildsTheSiteFoldersAndBackRetracesThePath) {
  runWizard([&](WizardUser& u) {
    u.choose(kHomePage);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kHomePage);
    u.choose(kRecursive);
    u.choose(kSiteFolders);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kExtensions);
    // Ticked from DownEx as it stands (htm, jpg, gif, lzh, zip).
    EXPECT_TRUE(u.ticked(1004));
    EXPECT_TRUE(u.ticked(1010));
    EXPECT_FALSE(u.ticked(1005));
    u.tick(1010, false);
    u.tick(1020, false);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kAddress);
    u.type(CWizAddressPage::kAddressId, server_.url("/site/index.html"));
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kSummary);
    EXPECT_EQ(u.summary().modeText(), "再帰的解析→ﾀﾞｳﾝﾛｰﾄﾞ");
    for (WizardPage page : {WizardPage::kAddress, WizardPage::kExtensions, WizardPage::kHomePage,
                            WizardPage::kPurpose}) {
      u.back();
      EXPECT_EQ(u.page(), page);
    }
    // Forward again: every page kept its answers.
    for (WizardPage page : {WizardPage::kHomePage, WizardPage::kExtensions, WizardPage::kAddress,
                            WizardPage::kSummary}) {
      u.next();
      EXPECT_EQ(u.page(), page);
    }
    u.next();
  });
  EXPECT_EQ(app_.settings.tag, 15);
  EXPECT_TRUE(app_.settings.movement & movement::kHierarchy);
  EXPECT_EQ(app_.settings.downEx, downex::kHtml | downex::kJpg | downex::kGif);
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_EQ(box_.read("dl/site/a.jpg"), std::string(3000, 'j'));
  EXPECT_EQ(box_.read("dl/site/sub/c.jpg"), std::string(2000, 'c'));
  EXPECT_TRUE(box_.exists("dl/site/index.html"));
  EXPECT_TRUE(box_.exists("dl/site/sub/page.html"));
  EXPECT_FALSE(box_.exists("dl/site/b.zip"));  // zip unticked
  EXPECT_FALSE(box_.exists("dl/other"));       // outside the start folder
}

TEST_F(WizardTest, LargeFileGoesIntoAFolderCreatedOnYes) {
  const std::string folder = box_.path("big");
  runWizard([&](WizardUser& u) {
    u.choose(kLargeFile);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kLargeFile);
    u.back();
    EXPECT_EQ(u.page(), WizardPage::kPurpose);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kLargeFile);
    u.type(CWizAddressPage::kFolderId, folder);
    u.type(CWizAddressPage::kAddressId, server_.url("/files/big.bin"));
    u.next();  // No to creating the folder: the page stays, nothing more is said
    EXPECT_EQ(u.page(), WizardPage::kLargeFile);
    EXPECT_EQ(prompter_.texts(), std::vector<std::string>{createFolderQuestion(folder)});
    EXPECT_FALSE(std::filesystem::exists(folder));
    prompter_.answer(PromptAnswer::kYes);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kSummary);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(u.summary().modeText(), "ﾀﾞｳﾝﾛｰﾄﾞ");
    u.back();
    EXPECT_EQ(u.page(), WizardPage::kLargeFile);
    u.next();
    u.next();
  });
  EXPECT_EQ(app_.settings.path01, folder);
  EXPECT_EQ(app_.settings.path02, "");  // the history is left to the behaviour page
  ASSERT_TRUE(waitForJobEnd());
  EXPECT_TRUE(box_.read("big/big.bin") == big_);
}

TEST_F(WizardTest, EveryNextRefusesWhatIsMissingAndKeepsThePage) {
  const auto toLinkForm = [](WizardUser& u) {
    u.choose(kImages);
    u.next();
  };
  const auto toAddress = [=](WizardUser& u) {
    toLinkForm(u);
    u.choose(kShownInPage);
    u.next();
  };
  const auto toHomePage = [](WizardUser& u) {
    u.choose(kHomePage);
    u.next();
  };
  const auto toLargeFile = [](WizardUser& u) {
    u.choose(kLargeFile);
    u.next();
  };
  const std::string site = server_.url("/site/");
  struct Refusal {
    const char* text;
    PromptIcon icon;
    WizardPage page;
    std::function<void(WizardUser&)> walk;
  };
  const Refusal refusals[] = {
      {"使用の目的が選択されていません", PromptIcon::kInformation, WizardPage::kPurpose,
       [](WizardUser&) {}},
      {"ﾘﾝｸの形式が選択されていません", PromptIcon::kInformation, WizardPage::kLinkForm,
       toLinkForm},
      {"ﾀﾞｳﾝﾛｰﾄﾞする方法が選択されていません", PromptIcon::kInformation, WizardPage::kHomePage,
       toHomePage},
      {"保存する方法が選択されていません", PromptIcon::kInformation, WizardPage::kHomePage,
       [=](WizardUser& u) {
         toHomePage(u);
         u.choose(kLinkedPages);
       }},
      {"拡張子が選択されていません", PromptIcon::kInformation, WizardPage::kExtensions,
       [=](WizardUser& u) {
         toHomePage(u);
         u.choose(kLinkedPages);
         u.choose(kSiteFolders);
         u.next();
         for (const ExtensionBox& box : extensionBoxes()) u.tick(box.id, false);
       }},
      {"保存先のﾌｫﾙﾀﾞが指定されていません", PromptIcon::kInformation, WizardPage::kLargeFile,
       [=](WizardUser& u) {
         toLargeFile(u);
         u.type(CWizAddressPage::kFolderId, " ");
       }},
      {"URLが指定されていません", PromptIcon::kInformation, WizardPage::kLargeFile, toLargeFile},
      {"不正なURLです。", PromptIcon::kStop, WizardPage::kAddress,
       [=](WizardUser& u) {
         toAddress(u);
         u.type(CWizAddressPage::kAddressId, "index.html");
       }},
      {"このURLは解析不可能です。", PromptIcon::kStop, WizardPage::kAddress,
       [=](WizardUser& u) {
         toAddress(u);
         u.type(CWizAddressPage::kAddressId, site + "a.jpg");
       }},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.text);
    runWizard([&](WizardUser& u) {
      refusal.walk(u);
      const std::size_t before = prompter_.messages().size();
      u.next();
      EXPECT_EQ(u.page(), refusal.page);
      ASSERT_EQ(prompter_.messages().size(), before + 1);
      EXPECT_EQ(prompter_.messages().back().text, refusal.text);
      EXPECT_EQ(prompter_.messages().back().icon, refusal.icon);
    });
  }
  // A page address ending in "/" is one the analysis can take.
  runWizard([&](WizardUser& u) {
    toAddress(u);
    u.type(CWizAddressPage::kAddressId, site);
    u.next();
    EXPECT_EQ(u.page(), WizardPage::kSummary);
  });
  EXPECT_EQ(items().count(), 0);
}

TEST_F(WizardTest, CancelOnTheSummaryKeepsTheListButNotTheOldSettings) {
  addRow("http://old.example/keep.html");
  const std::string other = box_.path("other");
  std::filesystem::create_directory(other);
  const std::string head = server_.url("/");
  const std::string address = head + std::string(120 - head.size() - 11, 'p') + "/index.html";
  ASSERT_EQ(address.size(), 120u);
  {
    wxClipboardLocker lock;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(address)));
  }
  runWizard([&](WizardUser& u) {
    u.choose(kHomePage);
    u.next();
    u.choose(kLinkedPages);
    u.choose(kSiteFolders);
    u.next();
    u.type(CWizDlg06::kExtendId, "png;webp");
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kAddress);
    prompter_.giveFile(other);
    u.press(CWizAddressPage::kBrowseId);
    EXPECT_EQ(u.text(CWizAddressPage::kFolderId), other);
    EXPECT_EQ(prompter_.dialogTitles(), std::vector<std::string>{"保存先ﾌｫﾙﾀﾞを選択して下さい"});
    u.press(PasteButton::kId);
    EXPECT_EQ(u.text(CWizAddressPage::kAddressId), address);
    u.next();
    ASSERT_EQ(u.page(), WizardPage::kSummary);
    EXPECT_EQ(u.summary().addressText(),
              address.substr(0, 50) + "\n" + address.substr(50, 50) + "\n" + address.substr(100));
    EXPECT_EQ(u.summary().modeText(), "解析→ﾀﾞｳﾝﾛｰﾄﾞ");
    u.press(wxID_CANCEL);
  });
  EXPECT_EQ(names(), "keep.html;");
  EXPECT_FALSE(frame_->doc()->jobRunning());
  EXPECT_EQ(app_.settings.tag, 15);
  EXPECT_TRUE(app_.settings.movement & movement::kHierarchy);
  EXPECT_EQ(app_.settings.downEx, AppSettings().downEx | downex::kCustom);
  EXPECT_EQ(app_.settings.extend, "png;webp");
  EXPECT_EQ(app_.settings.path01, other);
}

// One page per test: under Xvfb without a window manager the screen keeps what a window
// showed when it was first read, so each page is the first picture of its own wizard.
class WizardPageScreenshot : public GuiTest, public ::testing::WithParamInterface<WizardPage> {};

TEST_P(WizardPageScreenshot, ShowsEveryControlUnclipped) {
  ASSERT_TRUE(startFrame());
  // Shown without a modal loop, so that the test can wait for the page to be painted.
  auto* wizard = new CWizard(frame_, app_);
  wizard->state() = {WizardMode::kImages, WizardPage::kLinkForm,
                     "http://www.example.co.jp/gallery/2026/summer/holiday/pictures/"
                     "collection/index.html?page=2&order=new&size=large&view=thumbs"};
  CWizPage* page = wizard->page(GetParam());
  wizard->ShowPage(page);
  wizard->Show();
  std::printf("screenshot: %s\n",
              saveScreenshot(wizard, "wizard-page-" + std::to_string(static_cast<int>(GetParam())))
                  .c_str());
  const wxRect pageRect(wxPoint(0, 0), page->GetClientSize());
  for (wxWindow* c : page->GetChildren()) {
    if (c->IsShown()) {
      EXPECT_TRUE(pageRect.Contains(c->GetRect())) << c->GetLabel();
    }
  }
  wizard->Destroy();
  pumpEvents();
}

INSTANTIATE_TEST_SUITE_P(EveryPage, WizardPageScreenshot,
                         ::testing::Values(WizardPage::kPurpose, WizardPage::kLinkForm,
                                           WizardPage::kAddress, WizardPage::kSummary,
                                           WizardPage::kHomePage, WizardPage::kExtensions,
                                           WizardPage::kLargeFile));

}  // namespace
}  // namespace murlo::test
