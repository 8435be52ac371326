#include "overwrite-confirm-dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "gui-prompter.h"
#include "text/cp932.h"
#include "ui-text.h"

namespace murlo::gui {

COverwriteConfirmDlg::COverwriteConfirmDlg(wxWindow* parent, const std::string& url,
                                           const std::string& fileName)
    : wxDialog(parent, wxID_ANY, u8("上書き保存の確認")) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, u8("URL : ") + wxString::FromUTF8(displayText(url))), 0,
           wxALL, 6);
  top->Add(new wxStaticText(this, wxID_ANY,
                            u8("ﾌｧｲﾙﾈｰﾑ : ") + wxString::FromUTF8(displayText(fileName))),
           0, wxLEFT | wxRIGHT, 6);
  top->Add(new wxStaticText(this, wxID_ANY, u8("同一ﾈｰﾑのﾌｧｲﾙが存在します。")), 0, wxALL, 6);
  top->Add(new wxStaticText(this, wxID_ANY, u8("以下の項目から対処法を選択してください。")), 0,
           wxLEFT | wxRIGHT, 6);
  auto* group = new wxStaticBoxSizer(wxVERTICAL, this, u8("対処"));
  const char* labels[] = {"上書き保存", "名前を付けて保存", "以降全て上書き", "以降全て自動 ﾘﾈｰﾑ"};
  for (int i = 0; i < 4; ++i) {
    buttons_[i] = new wxRadioButton(group->GetStaticBox(), wxID_ANY, u8(labels[i]),
                                    wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
    group->Add(buttons_[i], 0, wxALL, 3);
  }
  top->Add(group, 0, wxEXPAND | wxALL, 6);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  top->Add(ok, 0, wxALIGN_CENTER | wxALL, 6);
  SetSizerAndFit(top);
  SetEscapeId(wxID_NONE);  // there is no cancel: a choice must be made
  ok->Bind(wxEVT_BUTTON, &COverwriteConfirmDlg::onOk, this);
}

bool COverwriteConfirmDlg::takeChoice() {
  for (int i = 0; i < 4; ++i) {
    if (buttons_[i]->GetValue()) {
      choice_ = static_cast<OverwriteChoice>(i);
      return true;
    }
  }
  showMessageBox(this, "対処法を指定して下さい。", PromptIcon::kExclamation, PromptButtons::kOk);
  return false;
}

void COverwriteConfirmDlg::onOk(wxCommandEvent&) {
  if (takeChoice()) EndModal(wxID_OK);
}

}  // namespace murlo::gui
