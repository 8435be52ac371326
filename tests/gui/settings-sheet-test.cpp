#include "settings/settings-sheet.h"

#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/tglbtn.h>

#include <algorithm>
#include <filesystem>

#include "cli-runner.h"
#include "command-ids.h"
#include "gui-fixture.h"
#include "settings/ini-file.h"
#include "settings/save-folder.h"
#include "settings/set-dlg01.h"
#include "settings/set-dlg03.h"
#include "settings/set-dlg04.h"
#include "settings/set-dlg06.h"
#include "settings/setting-names.h"
#include "text/cp932.h"

namespace murlo::test {
namespace {

using namespace murlo::gui;

template <typename T>
void collect(wxWindow* root, std::vector<T*>& out) {
  for (wxWindow* child : root->GetChildren()) {
    if (auto* found = dynamic_cast<T*>(child)) out.push_back(found);
    collect(child, out);
  }
}

// Works the sheet through the dialog driver, a page at a time.
struct SheetUser : DialogDriver {
  explicit SheetUser(CSettingsSheet& sheet) : DialogDriver{sheet}, sheet(sheet) {}

  CSettingsSheet& sheet;

  CSettingsPage* show(int index) {
    sheet.GetBookCtrl()->SetSelection(index);
    return sheet.page(index);
  }
  wxCheckBox* box(const std::string& label) {
    wxCheckBox* b = findLabelled<wxCheckBox>(pane(), label);
    EXPECT_TRUE(b) << label;
    return b;
  }
  using DialogDriver::click;
  void click(const std::string& label) { click(box(label)); }
  void clickAll() {
    std::vector<wxCheckBox*> boxes;
    collect(pane(), boxes);
    for (wxCheckBox* b : boxes) click(b);
  }
};

class SettingsSheetTest : public GuiTest {
 protected:
  // Opens the sheet through its menu command; `use` works it, and whatever it leaves open
  // is cancelled.
  void withSheet(const std::function<void(SheetUser&)>& use) {
    EXPECT_TRUE(driveModal<CSettingsSheet>([&] { command(ID_SETTINGS); },
                                           [&](CSettingsSheet& sheet) {
                                             SheetUser user{sheet};
                                             use(user);
                                           }));
  }
  // The settings as Murlo.ini holds them after the program's exit.
  AppSettings saved() {
    EXPECT_TRUE(closeFrame());
    return LoadSettings(app_.iniPath(), app_.appDirectory);
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const auto& m : prompter_.messages()) out.push_back(m.text);
    return out;
  }
};

std::string title(wxFrame* f) { return std::string(f->GetTitle().utf8_str()); }

// What the pages wrote, through the settings' names: "name=value;" for each setting of
// the page, in the names table's order.
std::string pageSettings(const AppSettings& settings, int page) {
  std::string out;
  for (const SettingName& setting : settingNames()) {
    if (setting.page == page) out += setting.name + "=" + setting.get(settings) + ";";
  }
  return out;
}

TEST_F(SettingsSheetTest, EveryBitPacksAndUnpacksThroughMurloIni) {
  ASSERT_TRUE(startFrame());
  const std::string sound1 = box_.write("a.wav", "RIFF"), sound3 = box_.write("c.wav", "RIFF");
  withSheet([&](SheetUser& u) {
    EXPECT_EQ(std::string(u.sheet.GetTitle().utf8_str()), "設定ﾀﾞｲｱﾛｸﾞ");
    for (int page : {0, 1, 4, 6, 7}) {
      u.show(page);
      u.clickAll();
    }
    u.show(0);
    u.type(CSetDlg01::kExtendId, "mp3;ogg");

    u.show(2);
    for (const char* label :
         {"確認ﾒｯｾｰｼﾞを表示しない", "ｴﾗｰﾒｯｾｰｼﾞを表示しない", "ﾘｽﾄ保存時にﾃﾞｨﾚｸﾄﾘ階層も再現する",
          "ｱｲﾃﾑ追加ﾊﾞｰから追加したｱｲﾃﾑを解析する", "ﾘﾝｸをﾛｰｶﾙ用に変換する"}) {
      u.click(label);
    }
    u.choose("上書きする");
    findLabelled<wxToggleButton>(u.sheet.page(2), "ｻｲｽﾞ確認を行う")->SetValue(true);

    u.show(3);
    u.choose("256 byte");
    u.click("ｵﾌﾗｲﾝで利用する");
    u.click("ｷｬｯｼｭに追加しない");  // unticks offline again
    EXPECT_FALSE(u.box("ｵﾌﾗｲﾝで利用する")->GetValue());
    u.type(CSetDlg04::kTimeoutId, "7");
    EXPECT_FALSE(u.control<wxWindow>(CSetDlg04::kProxyNameId)->IsEnabled());
    u.click("ﾌﾟﾛｷｼ ｻｰﾊﾞｰを使用してｲﾝﾀｰﾈｯﾄにｱｸｾｽする");
    EXPECT_TRUE(u.control<wxWindow>(CSetDlg04::kProxyNameId)->IsEnabled());
    u.type(CSetDlg04::kProxyNameId, "proxy");
    u.type(CSetDlg04::kProxyPortId, "8080");

    u.show(5);
    u.clickAll();  // all three rows ticked; the second has no file
    u.type(CSetDlg06::fileId(0), sound1);
    u.type(CSetDlg06::fileId(2), sound3);
    EXPECT_TRUE(u.sheet.FindWindow(wxID_APPLY)->IsEnabled());
    EXPECT_TRUE(u.ok());
  });

  AppSettings s = app_.settings;
  EXPECT_EQ(pageSettings(s, 0),
            "extensions=cgi,txt,rar,rm,mpeg,avi,viv,exe,custom;custom-extensions=mp3,ogg;");
  EXPECT_EQ(pageSettings(s, 1), "links=strings;jpeg-only=on;");
  EXPECT_EQ(pageSettings(s, 2),
            "confirm=off;error-messages=off;hierarchy=on;analyze-added=on;same-name=overwrite;"
            "size-check=on;convert-links=on;save-folder=" +
                box_.dir() + ";save-folder-2=;save-folder-3=;");
  EXPECT_EQ(pageSettings(s, 3), "buffer=256;offline=off;no-cache=on;timeout=70;proxy=proxy:8080;");
  EXPECT_EQ(pageSettings(s, 4), "error-log=off;output=off;clear-output=off;output-items=none;");
  // The row without a file is not stored.
  EXPECT_EQ(pageSettings(s, 5),
            "analysis-sound=" + sound1 + ";download-sound=off;error-sound=" + sound3 + ";");
  EXPECT_EQ(pageSettings(s, 6), "hang-up=on;shutdown=on;");
  EXPECT_EQ(pageSettings(s, 7),
            "analyze-then-download=on;delete-html=on;keep-finished=on;refuse-redirects=on;"
            "hide-referrer=on;");

  // Every page shown and confirmed unchanged stores what it unpacked, bit for bit.
  withSheet([&](SheetUser& u) {
    for (int page = 0; page < u.sheet.pageCount(); ++page) u.show(page);
    EXPECT_FALSE(u.sheet.FindWindow(wxID_APPLY)->IsEnabled());
    EXPECT_TRUE(u.ok());
  });
  s.sound = sound::kAnalysis | sound::kError;
  const AppSettings back = saved();
  EXPECT_EQ(back.downEx, s.downEx);
  EXPECT_EQ(back.extend, s.extend);
  EXPECT_EQ(back.tag, s.tag);
  EXPECT_EQ(back.movement, s.movement);
  EXPECT_EQ(back.connection, s.connection);
  EXPECT_EQ(back.bufferSize, s.bufferSize);
  EXPECT_EQ(back.proxyName, s.proxyName);
  EXPECT_EQ(back.proxyPort, s.proxyPort);
  EXPECT_EQ(back.output, s.output);
  EXPECT_EQ(back.sound, s.sound);
  EXPECT_EQ(back.file01 + back.file02 + back.file03, s.file01 + s.file02 + s.file03);
  EXPECT_EQ(back.dial, s.dial);
  EXPECT_EQ(back.exSet, s.exSet);
  EXPECT_EQ(back.path01, s.path01);
  EXPECT_TRUE(texts().empty());
}

TEST_F(SettingsSheetTest, CancelStoresNothingAndTheTitleFollowsTheOfflineBit) {
  ASSERT_TRUE(startFrame());
  const AppSettings before = app_.settings;
  withSheet([&](SheetUser& u) {
    for (int page = 0; page < u.sheet.pageCount(); ++page) {
      u.show(page);
      u.clickAll();
    }
  });
  EXPECT_EQ(app_.settings.connection, before.connection);
  EXPECT_EQ(app_.settings.downEx, before.downEx);
  EXPECT_EQ(title(frame_), "Murlo ver2.02 - Murlo");

  // A page never shown stores nothing, even when OK stores the others.
  app_.settings.exSet = 0x7FFF;
  withSheet([&](SheetUser& u) {
    u.show(3);
    u.click("ｵﾌﾗｲﾝで利用する");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(app_.settings.exSet, 0x7FFF);
  EXPECT_EQ(app_.settings.connection, before.connection | connection::kOffline);
  EXPECT_EQ(title(frame_), "Murlo ver2.02 - Murlo - [ｵﾌﾗｲﾝ作業]");
}

TEST_F(SettingsSheetTest, ConnectionPageShowsAndRefuses) {
  box_.write("Murlo.ini", "[SETTING]\r\nConnection=10244\r\n");  // 40 * 256 + 4
  ASSERT_TRUE(startFrame());
  withSheet([&](SheetUser& u) {
    u.show(3);
    EXPECT_EQ(u.text(CSetDlg04::kTimeoutId), "12");
    EXPECT_TRUE(u.control<wxWindow>(CSetDlg04::kTimeoutId)->IsEnabled());
    u.click("接続にﾀｲﾑｱｳﾄを設定する>>");
    EXPECT_FALSE(u.control<wxWindow>(CSetDlg04::kTimeoutId)->IsEnabled());
    u.click("接続にﾀｲﾑｱｳﾄを設定する>>");

    // The spin button steps on from a typed time-out, within 1-31.
    std::vector<wxSpinButton*> spins;
    collect(u.sheet.page(3), spins);
    ASSERT_EQ(spins.size(), 1u);
    wxSpinButton* spin = spins[0];
    const auto step = [&](int by) {
      const int position = std::clamp(spin->GetValue() + by, spin->GetMin(), spin->GetMax());
      spin->SetValue(position);
      wxSpinEvent event(wxEVT_SPIN, spin->GetId());
      event.SetEventObject(spin);
      event.SetPosition(position);
      spin->GetEventHandler()->ProcessEvent(event);
      return u.text(CSetDlg04::kTimeoutId);
    };
    u.type(CSetDlg04::kTimeoutId, "25");
    EXPECT_EQ(step(+1), "26");
    u.type(CSetDlg04::kTimeoutId, "99");
    EXPECT_EQ(step(-1), "30");
    u.type(CSetDlg04::kTimeoutId, "0");
    EXPECT_EQ(step(+1), "2");

    u.type(CSetDlg04::kTimeoutId, "1x");
    EXPECT_FALSE(u.ok());
    u.type(CSetDlg04::kTimeoutId, "45");  // stored as typed
    u.click("ﾌﾟﾛｷｼ ｻｰﾊﾞｰを使用してｲﾝﾀｰﾈｯﾄにｱｸｾｽする");
    EXPECT_FALSE(u.ok());
    EXPECT_EQ(u.sheet.GetBookCtrl()->GetSelection(), 3);
    u.type(CSetDlg04::kProxyPortId, "3128");
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(texts(),
            (std::vector<std::string>{"整数を入力してください。", "ﾌﾟﾛｷｼ ｻｰﾊﾞｰが空欄です"}));
  EXPECT_EQ(prompter_.messages()[1].icon, PromptIcon::kStop);
  EXPECT_EQ(pageSettings(app_.settings, 3),
            "buffer=1024;offline=off;no-cache=off;timeout=450;proxy=:3128;");
}

TEST_F(SettingsSheetTest, ExtensionSoundAndThreadFieldsFollowTheirBoxes) {
  ASSERT_TRUE(startFrame());
  const std::string wav = box_.write("ding.wav", "RIFF");
  prompter_.giveFile(wav);
  withSheet([&](SheetUser& u) {
    wxWindow* extend = u.control<wxWindow>(CSetDlg01::kExtendId);
    EXPECT_FALSE(extend->IsEnabled());
    u.click("custom");
    EXPECT_TRUE(extend->IsEnabled());

    u.show(5);
    EXPECT_FALSE(u.control<wxWindow>(CSetDlg06::fileId(1))->IsEnabled());
    u.click("ﾀﾞｳﾝﾛｰﾄﾞが完了したら、ｻｳﾝﾄﾞを鳴らす");
    EXPECT_TRUE(u.control<wxWindow>(CSetDlg06::fileId(1))->IsEnabled());
    u.press(CSetDlg06::testId(1));  // no file: nothing plays
    u.press(CSetDlg06::browseId(1));
    EXPECT_EQ(u.text(CSetDlg06::fileId(1)), wav);
    u.press(CSetDlg06::testId(1));

    u.show(7);
    std::vector<wxTextCtrl*> counts;
    collect(u.sheet.page(7), counts);
    ASSERT_EQ(counts.size(), 2u);
    for (wxTextCtrl* c : counts) {
      EXPECT_EQ(c->GetValue(), "1");
      EXPECT_FALSE(c->IsEnabled());
    }
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(desktop_.events, std::vector<std::string>{"sound " + wav});
  ASSERT_EQ(prompter_.fileDialogs().size(), 1u);
  const FileDialogRequest request = prompter_.fileDialogs()[0];
  EXPECT_EQ(request.title, "ｻｳﾝﾄﾞﾌｧｲﾙの選択");
  EXPECT_EQ(request.filter.rfind("ｻｳﾝﾄﾞ ﾌｧｲﾙ(*.wav)|*.wav|", 0), 0u);
  EXPECT_TRUE(request.mustExist);
  EXPECT_EQ(pageSettings(app_.settings, 5),
            "analysis-sound=off;download-sound=" + wav + ";error-sound=off;");
}

TEST_F(SettingsSheetTest, SaveFolderHistoryCheckAndKeys) {
  namespace fs = std::filesystem;
  const std::string one = box_.path("one"), two = box_.path("two"), three = box_.path("three");
  for (const std::string& d : {one, two, three}) fs::create_directory(d);
  box_.write("Murlo.ini",
             "[STORE]\r\nPATH01=" + one + "\r\nPATH02=" + two + "\r\nPATH03=" + three + "\r\n");
  ASSERT_TRUE(startFrame());
  {
    wxClipboardLocker lock;
    wxTheClipboard->SetData(new wxTextDataObject("what the user copied"));
  }
  const std::string missing = box_.path("new");
  withSheet([&](SheetUser& u) {
    u.show(2);
    auto* combo = u.control<wxComboBox>(CSetDlg03::kFolderId);
    ASSERT_EQ(combo->GetCount(), 3u);
    EXPECT_EQ(u.text(CSetDlg03::kFolderId), one);
    EXPECT_TRUE(findLabelled<wxRadioButton>(u.sheet.page(2), "自動でﾘﾈｰﾑする")->GetValue());

    // Every key of a path reaches the field: nothing on the page takes it first.
    auto key = [&](int code) {
      wxKeyEvent event(wxEVT_CHAR_HOOK);
      event.m_keyCode = code;
      event.SetEventObject(combo);
      return u.sheet.page(2)->GetEventHandler()->ProcessEvent(event);
    };
    for (int code : {'/', '-', '.', ',', ';', ':', 'a'}) EXPECT_FALSE(key(code)) << code;

    u.type(CSetDlg03::kFolderId, " " + missing + " ");
    EXPECT_FALSE(u.ok());  // not created: No
    EXPECT_EQ(u.text(CSetDlg03::kFolderId), "");
    EXPECT_FALSE(u.ok());
    u.type(CSetDlg03::kFolderId, two);
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(texts(), (std::vector<std::string>{createFolderQuestion(missing),
                                               "保存ﾊﾟｽが指定されていません"}));
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_EQ(app_.settings.path01 + "|" + app_.settings.path02 + "|" + app_.settings.path03,
            two + "|" + one + "|" + three);
  {
    wxClipboardLocker lock;
    wxTextDataObject data;
    ASSERT_TRUE(wxTheClipboard->GetData(data));
    EXPECT_EQ(data.GetText(), "what the user copied");
  }

  // "..." with a folder: pushed into the history and selected in the list.
  prompter_.giveFile(three);
  withSheet([&](SheetUser& u) {
    u.show(2);
    u.press(CSetDlg03::kBrowseId);
    EXPECT_EQ(u.text(CSetDlg03::kFolderId), three);
    EXPECT_TRUE(u.ok());
  });
  EXPECT_EQ(prompter_.fileDialogs().back().title, "保存先ﾌｫﾙﾀﾞを選択して下さい");
  EXPECT_TRUE(prompter_.fileDialogs().back().folder);
  EXPECT_EQ(app_.settings.path01 + "|" + app_.settings.path02 + "|" + app_.settings.path03,
            three + "|" + two + "|" + one);
}

// Runs `murlo-cli settings ARGS...` in the sandbox; its output without the line end.
std::string terminal(const Sandbox& box, const std::vector<std::string>& args) {
  std::vector<std::string> command{"settings"};
  command.insert(command.end(), args.begin(), args.end());
  const CliResult r = runCli(command, box.dir());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.out.empty() ? r.out : r.out.substr(0, r.out.size() - 1);
}

TEST_F(SettingsSheetTest, JapaneseTextsGoFromTerminalToWindowAndBack) {
  namespace fs = std::filesystem;
  const std::string saved = box_.path("保存"), older = box_.path("古い"),
                    oldest = box_.path("最古");
  const std::string typed = box_.path("新しい");
  for (const std::string& d : {saved, older, oldest, typed}) fs::create_directory(d);
  const std::string sound1 = box_.write("音1.wav", "RIFF"), sound2 = box_.write("音2.wav", "RIFF"),
                    sound3 = box_.write("音3.wav", "RIFF");
  const std::vector<std::pair<std::string, std::string>> set = {{"save-folder", saved},
                                                                {"save-folder-2", older},
                                                                {"save-folder-3", oldest},
                                                                {"extensions", "custom"},
                                                                {"custom-extensions", "画像,webp"},
                                                                {"proxy", "代理.example:8080"},
                                                                {"analysis-sound", sound1},
                                                                {"download-sound", sound2},
                                                                {"error-sound", sound3}};
  for (const auto& [name, value] : set) terminal(box_, {name, value});
  // The terminal wrote CP932, as the Windows program does.
  ASSERT_EQ(IniFile::load(app_.iniPath()).getString("SETTING", "Extend", ""),
            "\x89\xE6\x91\x9C;webp");

  ASSERT_TRUE(startFrame());
  withSheet([&](SheetUser& u) {
    u.show(0);
    EXPECT_EQ(u.text(CSetDlg01::kExtendId), "画像;webp");
    u.type(CSetDlg01::kExtendId, "画像;音声");
    u.show(2);
    EXPECT_EQ(u.control<wxComboBox>(CSetDlg03::kFolderId)->GetCount(), 3u);
    EXPECT_EQ(u.text(CSetDlg03::kFolderId), saved);
    u.type(CSetDlg03::kFolderId, typed);
    u.show(3);
    EXPECT_EQ(u.text(CSetDlg04::kProxyNameId), "代理.example");
    u.type(CSetDlg04::kProxyNameId, "新代理.example");
    u.show(5);
    EXPECT_EQ(u.text(CSetDlg06::fileId(0)), sound1);
    EXPECT_EQ(u.text(CSetDlg06::fileId(1)), sound2);
    EXPECT_EQ(u.text(CSetDlg06::fileId(2)), sound3);
    u.type(CSetDlg06::fileId(1), sound3);
    EXPECT_TRUE(u.ok());
  });
  EXPECT_TRUE(texts().empty());
  ASSERT_TRUE(closeFrame());

  const std::vector<std::pair<std::string, std::string>> expected = {
      {"save-folder", typed},           {"save-folder-2", saved},
      {"save-folder-3", older},         {"custom-extensions", "画像,音声"},
      {"proxy", "新代理.example:8080"}, {"analysis-sound", sound1},
      {"download-sound", sound3},       {"error-sound", sound3}};
  for (const auto& [name, value] : expected) EXPECT_EQ(terminal(box_, {name}), value) << name;
  EXPECT_EQ(IniFile::load(app_.iniPath()).getString("SETTING", "Extend", ""),
            "\x89\xE6\x91\x9C;\x89\xB9\x90\xBA");
}

TEST_F(SettingsSheetTest, WhatTheTerminalChangesWhileTheWindowIsOpenSurvivesItsExit) {
  const std::string folder = box_.path("端末");
  std::filesystem::create_directory(folder);
  ASSERT_TRUE(startFrame());
  withSheet([&](SheetUser& u) {
    u.show(2);
    u.click("ﾘｽﾄ保存時にﾃﾞｨﾚｸﾄﾘ階層も再現する");
    EXPECT_TRUE(u.ok());
  });
  command(ID_OFFLINE);

  terminal(box_, {"timeout", "30"});
  terminal(box_, {"confirm", "off"});
  terminal(box_, {"save-folder-2", folder});
  ASSERT_TRUE(closeFrame());

  EXPECT_EQ(terminal(box_, {"timeout"}), "30");
  EXPECT_EQ(terminal(box_, {"confirm"}), "off");
  EXPECT_EQ(terminal(box_, {"save-folder-2"}), folder);
  EXPECT_EQ(terminal(box_, {"hierarchy"}), "on");
  EXPECT_EQ(terminal(box_, {"offline"}), "on");
  EXPECT_NE(IniFile::load(app_.iniPath()).getInt("MainFrame", "Size_CX", 0), 0);
}

// One page per test: under Xvfb without a window manager the screen keeps what a window
// showed when it was first read, so each page is the first picture of its own run.
class SettingsPageScreenshot : public SettingsSheetTest,
                               public ::testing::WithParamInterface<int> {};

TEST_P(SettingsPageScreenshot, ShowsEveryControlUnclipped) {
  const int page = GetParam();
  // Filled from a Murlo.ini in CP932, as the Windows program and murlo-cli write it.
  const std::string folder = box_.path("保存");
  std::filesystem::create_directory(folder);
  box_.write("Murlo.ini", utf8ToCp932("[SETTING]\r\nDownEx=8313\r\nExtend=画像;webp\r\n"
                                      "Connection=3084\r\nSound=7\r\n[STORE]\r\nPATH01=" +
                                      folder +
                                      "\r\n[PROXY]\r\nNAME=代理.example\r\nPORT=8080\r\n"
                                      "[SOUND]\r\nFILE01=/音/解析.wav\r\nFILE02=/音/完了.wav\r\n"
                                      "FILE03=/音/エラー.wav\r\n"));
  ASSERT_TRUE(startFrame());
  // Shown without a modal loop, so that the test can wait for the page to be painted.
  auto* sheet = new CSettingsSheet(frame_, app_);
  sheet->Show();
  sheet->GetBookCtrl()->SetSelection(page);
  std::printf("screenshot: %s\n",
              saveScreenshot(sheet, "settings-page-" + std::to_string(page + 1)).c_str());
  // Nothing is clipped: the page's groups and controls lie inside it.
  CSettingsPage* shown = sheet->page(page);
  const wxRect pageRect(wxPoint(0, 0), shown->GetClientSize());
  for (wxWindow* c : shown->GetChildren()) {
    EXPECT_TRUE(pageRect.Contains(c->GetRect()))
        << c->GetLabel() << " " << c->GetRect().GetBottom();
  }
  sheet->Destroy();
}

INSTANTIATE_TEST_SUITE_P(Pages, SettingsPageScreenshot, ::testing::Range(0, 8));

}  // namespace
}  // namespace murlo::test
