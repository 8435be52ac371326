#include "settings/set-dlg06.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "logic/settings-rules.h"
#include "settings/setting-names.h"
#include "ui-text.h"

namespace murlo::gui {

void CSetDlg06::createControls(wxBoxSizer* top) {
  const char* labels[] = {"解析が完了したら、ｻｳﾝﾄﾞを鳴らす", "ﾀﾞｳﾝﾛｰﾄﾞが完了したら、ｻｳﾝﾄﾞを鳴らす",
                          "ｴﾗｰが発生したら、ｻｳﾝﾄﾞを鳴らす"};
  for (int row = 0; row < 3; ++row) {
    auto* line = new wxBoxSizer(wxVERTICAL);
    boxes_[row] = new wxCheckBox(this, wxID_ANY, u8(labels[row]));
    line->Add(boxes_[row], 0, wxALL, dlu(2));
    auto* fileRow = new wxBoxSizer(wxHORIZONTAL);
    files_[row] =
        new wxTextCtrl(this, fileId(row), wxEmptyString, wxDefaultPosition, wxSize(dlu(150), -1));
    auto* pick = new wxButton(this, browseId(row), "...", wxDefaultPosition, wxSize(dlu(20), -1));
    auto* test = new wxButton(this, testId(row), "Test");
    fileRow->Add(new wxStaticText(this, wxID_ANY, u8("ﾌｧｲﾙ名")), 0, wxALL | wxALIGN_CENTER_VERTICAL,
                 dlu(2));
    fileRow->Add(files_[row], 1, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
    fileRow->Add(pick, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
    fileRow->Add(test, 0, wxALL | wxALIGN_CENTER_VERTICAL, dlu(2));
    line->Add(fileRow, 0, wxEXPAND | wxLEFT, dlu(10));
    top->Add(line, 0, wxEXPAND | wxALL, dlu(4));

    boxes_[row]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
      enableFiles();
      event.Skip();
    });
    pick->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) { browse(row); });
    test->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) {
      if (!file(row).empty()) app().sound->play(file(row));
    });
  }
  notification_ = new wxCheckBox(this, wxID_ANY, u8(kNotificationLabel));
  top->Add(notification_, 0, wxALL, dlu(6));
}

void CSetDlg06::enableFiles() {
  for (int row = 0; row < 3; ++row) files_[row]->Enable(boxes_[row]->GetValue());
}

void CSetDlg06::browse(int row) {
  FileDialogRequest request;
  request.title = "ｻｳﾝﾄﾞﾌｧｲﾙの選択";
  // Wave files first, as always; then the other formats the sound server plays.
  request.filter = "ｻｳﾝﾄﾞ ﾌｧｲﾙ(*.wav)|*.wav|ｻｳﾝﾄﾞ ﾌｧｲﾙ(*.ogg;*.oga)|*.ogg;*.oga||";
  request.initialName = file(row);
  request.mustExist = true;
  if (const auto chosen = app().prompter->chooseSaveFile(request)) {
    files_[row]->SetValue(u8(*chosen));
  }
}

void CSetDlg06::load(const AppSettings& settings) {
  const std::string* names[] = {&settings.file01, &settings.file02, &settings.file03};
  for (int row = 0; row < 3; ++row) {
    boxes_[row]->SetValue((settings.sound & (1 << row)) != 0);
    files_[row]->ChangeValue(u8(*names[row]));
  }
  notification_->SetValue((settings.sound & sound::kNoNotification) == 0);
  enableFiles();
}

void CSetDlg06::save(AppSettings& settings) {
  settings.sound = packSound({boxes_[0]->GetValue(), boxes_[1]->GetValue(), boxes_[2]->GetValue()},
                             {file(0), file(1), file(2)}) |
                   (notification_->GetValue() ? 0 : sound::kNoNotification);
  settings.file01 = file(0);
  settings.file02 = file(1);
  settings.file03 = file(2);
}

}  // namespace murlo::gui
