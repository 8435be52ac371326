#include "settings/set-dlg03.h"

#include <wx/button.h>

#include "logic/settings-rules.h"
#include "settings/save-folder.h"
#include "ui-text.h"

namespace murlo::gui {

void CSetDlg03::createControls(wxBoxSizer* top) {
  bitGroup(top, "基本設定",
           {{"確認ﾒｯｾｰｼﾞを表示しない", movement::kNoConfirm},
            {"ｴﾗｰﾒｯｾｰｼﾞを表示しない", movement::kNoErrorMessages},
            {"ﾘｽﾄ保存時にﾃﾞｨﾚｸﾄﾘ階層も再現する", movement::kHierarchy},
            {"ｱｲﾃﾑ追加ﾊﾞｰから追加したｱｲﾃﾑを解析する", movement::kAnalyzeOnAdd},
            {"ﾘﾝｸをﾛｰｶﾙ用に変換する", movement::kConvertLinks}});

  wxStaticBoxSizer* same = group(top, "同一ﾌｧｲﾙﾈｰﾑの動作");
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  const char* labels[] = {"指定なし", "上書きする", "自動でﾘﾈｰﾑする"};
  for (int i = 0; i < 3; ++i) {
    sameName_[i] = new wxRadioButton(same->GetStaticBox(), wxID_ANY, u8(labels[i]),
                                     wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
    row->Add(sameName_[i], 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  }
  row->AddStretchSpacer();
  sizeCheck_ = new wxToggleButton(same->GetStaticBox(), wxID_ANY, u8("ｻｲｽﾞ確認を行う"));
  row->Add(sizeCheck_, 0, wxALL, dlu(2));
  same->Add(row, 0, wxEXPAND);

  wxStaticBoxSizer* store = group(top, "保存先ﾌｫﾙﾀﾞ");
  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  folder_ = new wxComboBox(store->GetStaticBox(), kFolderId, wxEmptyString, wxDefaultPosition,
                           wxSize(dlu(180), -1), 0, nullptr, wxCB_DROPDOWN);
  folderRow->Add(folder_, 1, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  auto* browse =
      new wxButton(store->GetStaticBox(), kBrowseId, "...", wxDefaultPosition, wxSize(dlu(20), -1));
  folderRow->Add(browse, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
  store->Add(folderRow, 0, wxEXPAND);

  browse->Bind(wxEVT_BUTTON, &CSetDlg03::onBrowse, this);
  sizeCheck_->Bind(wxEVT_TOGGLEBUTTON, [this](wxCommandEvent&) { markModified(); });
}

void CSetDlg03::load(const AppSettings& settings) {
  unpackBits(settings.movement);
  sameName_[sameNameIndex(settings.movement)]->SetValue(true);
  sizeCheck_->SetValue((settings.movement & movement::kSizeCheck) != 0);
  history_ = settings;
  for (const std::string& path : saveFolderChoices(settings)) folder_->Append(u8(path));
  if (!settings.path01.empty()) folder_->SetSelection(0);
}

void CSetDlg03::onBrowse(wxCommandEvent&) {
  const auto chosen =
      browseSaveFolder(*app().prompter, folder_->GetValue().utf8_str().data(), readMountTable());
  if (!chosen) return;
  pushSaveFolder(history_, *chosen);
  folder_->Append(u8(*chosen));
  folder_->SetSelection(static_cast<int>(folder_->GetCount()) - 1);
  markModified();
}

bool CSetDlg03::validate() {
  // The field's own text: the clipboard, which may hold what the user copied, is left alone.
  const std::string text = folder_->GetValue().utf8_str().data();
  if (text.empty()) {
    app().prompter->message("保存ﾊﾟｽが指定されていません", PromptIcon::kInformation,
                            PromptButtons::kOk);
    return false;
  }
  const auto folder = checkSaveFolder(text, *app().prompter, readMountTable());
  if (!folder) {
    folder_->ChangeValue(wxEmptyString);
    return false;
  }
  pushSaveFolder(history_, *folder);
  return true;
}

void CSetDlg03::save(AppSettings& settings) {
  int index = 2;
  for (int i = 0; i < 3; ++i) {
    if (sameName_[i]->GetValue()) index = i;
  }
  int word = packBits() | sameNameBit(index);
  if (sizeCheck_->GetValue()) word |= movement::kSizeCheck;
  settings.movement = word;
  settings.path01 = history_.path01;
  settings.path02 = history_.path02;
  settings.path03 = history_.path03;
}

}  // namespace murlo::gui
