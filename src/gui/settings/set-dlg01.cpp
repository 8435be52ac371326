#include "settings/set-dlg01.h"

#include "ui-text.h"

namespace murlo::gui {

void CSetDlg01::createControls(wxBoxSizer* top) {
  auto* row1 = new wxBoxSizer(wxHORIZONTAL);
  auto* row2 = new wxBoxSizer(wxHORIZONTAL);
  top->Add(row1, 0, wxEXPAND);
  top->Add(row2, 0, wxEXPAND);

  bitGroup(row1, "Html 系",
           {{"htm,html,shtml", downex::kHtml}, {"cgi", downex::kCgi}, {"txt", downex::kTxt}}, 1);
  bitGroup(row1, "画像系", {{"jpg", downex::kJpg}, {"gif", downex::kGif}}, 1);
  bitGroup(row1, "書庫系", {{"lzh", downex::kLzh}, {"zip", downex::kZip}, {"rar", downex::kRar}},
           1);
  bitGroup(row2, "ﾑｰﾋﾞｰ系",
           {{"rm,ram", downex::kRm},
            {"mpeg", downex::kMpeg},
            {"avi", downex::kAvi},
            {"viv", downex::kViv}},
           1);
  wxStaticBoxSizer* other = group(row2, "その他", 2);
  bitBox(other, "exe", downex::kExe);
  custom_ = bitBox(other, "custom", downex::kCustom);
  extend_ = new wxTextCtrl(other->GetStaticBox(), kExtendId, wxEmptyString, wxDefaultPosition,
                           wxSize(dlu(120), -1));
  other->Add(extend_, 0, wxEXPAND | wxALL, dlu(2));

  custom_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) {
    enableExtend();
    event.Skip();
  });
}

void CSetDlg01::load(const AppSettings& settings) {
  unpackBits(settings.downEx);
  extend_->ChangeValue(u8(settings.extend));
  enableExtend();
}

void CSetDlg01::save(AppSettings& settings) {
  settings.downEx = packBits();
  settings.extend = extend_->GetValue().utf8_str().data();
}

}  // namespace murlo::gui
