#include "settings/set-dlg01.h"

#include "ui-text.h"

namespace murlo::gui {

void CSetDlg01::createControls(wxBoxSizer* top) {
  auto* row1 = new wxBoxSizer(wxHORIZONTAL);
  auto* row2 = new wxBoxSizer(wxHORIZONTAL);
  top->Add(row1, 0, wxEXPAND);
  top->Add(row2, 0, wxEXPAND);

  wxStaticBoxSizer* html = group(row1, "Html 系", 1);
  bitBox(html, "htm,html,shtml", downex::kHtml);
  bitBox(html, "cgi", downex::kCgi);
  bitBox(html, "txt", downex::kTxt);
  wxStaticBoxSizer* image = group(row1, "画像系", 1);
  bitBox(image, "jpg", downex::kJpg);
  bitBox(image, "gif", downex::kGif);
  wxStaticBoxSizer* archive = group(row1, "書庫系", 1);
  bitBox(archive, "lzh", downex::kLzh);
  bitBox(archive, "zip", downex::kZip);
  bitBox(archive, "rar", downex::kRar);

  wxStaticBoxSizer* movie = group(row2, "ﾑｰﾋﾞｰ系", 1);
  bitBox(movie, "rm,ram", downex::kRm);
  bitBox(movie, "mpeg", downex::kMpeg);
  bitBox(movie, "avi", downex::kAvi);
  bitBox(movie, "viv", downex::kViv);
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
