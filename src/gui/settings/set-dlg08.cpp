#include "settings/set-dlg08.h"

#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui-text.h"

namespace murlo::gui {

void CSetDlg08::createControls(wxBoxSizer* top) {
  // One worker thread per job: the counts are shown, disabled, at 1.
  wxStaticBoxSizer* threads = group(top, "作業 ｽﾚｯﾄ ﾞ数");
  auto* grid = new wxFlexGridSizer(3, dlu(2), dlu(2));
  for (const char* label : {"解析ｽﾚｯﾄﾞ :", "ﾀﾞｳﾝﾛｰﾄﾞｽﾚｯﾄﾞ :"}) {
    wxWindow* box = threads->GetStaticBox();
    grid->Add(new wxStaticText(box, wxID_ANY, u8(label)), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(
        new wxTextCtrl(box, wxID_ANY, "1", wxDefaultPosition, wxSize(dlu(24), -1), wxTE_RIGHT));
    auto* spin = new wxSpinButton(box, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    spin->SetRange(1, 3);
    grid->Add(spin);
  }
  threads->Add(grid, 0, wxALL, dlu(2));
  threads->GetStaticBox()->Disable();

  bitBox(top, "解析とﾀﾞｳﾝﾛｰﾄﾞをｾｯﾄにする  >>", exset::kAnalyzeThenDownload);
  bitBox(top, "Html 系ｱｲﾃﾑを削除", exset::kDeleteHtml);
  bitBox(top, "ﾀﾞｳﾝﾛｰﾄﾞが終了したｱｲﾃﾑを削除しない", exset::kKeepFinished);
  bitBox(top, "ﾘﾀﾞｲﾚｸﾄを全て拒否する", exset::kRefuseRedirects);
  bitBox(top, "参照ﾍﾟｰｼﾞを公開しない", exset::kNoReferrer);
}

}  // namespace murlo::gui
