#include "settings/settings-sheet.h"

#include <wx/bookctrl.h>
#include <wx/button.h>

#include "settings/set-dlg01.h"
#include "settings/set-dlg02.h"
#include "settings/set-dlg03.h"
#include "settings/set-dlg04.h"
#include "settings/set-dlg05.h"
#include "settings/set-dlg06.h"
#include "settings/set-dlg07.h"
#include "settings/set-dlg08.h"
#include "ui-text.h"

namespace murlo::gui {

CSettingsSheet::CSettingsSheet(wxWindow* parent, AppContext& app) : app_(app) {
  Create(parent, wxID_ANY, u8("設定ﾀﾞｲｱﾛｸﾞ"));
  CreateButtons(wxOK | wxCANCEL | wxAPPLY);
  wxBookCtrlBase* book = GetBookCtrl();
  pages_ = {new CSetDlg01(book, app), new CSetDlg02(book, app), new CSetDlg03(book, app),
            new CSetDlg04(book, app), new CSetDlg05(book, app), new CSetDlg06(book, app),
            new CSetDlg07(book, app), new CSetDlg08(book, app)};
  // The sheet's buttons speak the program's language whatever the toolkit's locale.
  FindWindow(wxID_CANCEL)->SetLabel(u8("ｷｬﾝｾﾙ"));
  wxWindow* applyButton = FindWindow(wxID_APPLY);
  applyButton->SetLabel(u8("適用(&A)"));
  applyButton->Disable();
  for (CSettingsPage* page : pages_) {
    page->build();
    page->onModified = [applyButton] { applyButton->Enable(); };
    book->AddPage(page, page->caption());
  }
  // Wide enough for every tab: the tab row does not scroll away a page's caption.
  int tabs = 0;
  for (CSettingsPage* page : pages_) {
    tabs += book->GetTextExtent(page->caption()).x + ConvertDialogToPixels(wxSize(20, 0)).x;
  }
  book->SetMinSize(wxSize(tabs, -1));
  LayoutDialog();
  pages_.front()->showPage();

  book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
    if (event.GetSelection() >= 0) pages_[event.GetSelection()]->showPage();
    event.Skip();
  });
  Bind(
      wxEVT_BUTTON,
      [this](wxCommandEvent& event) {
        if (apply()) event.Skip();
      },
      wxID_OK);
  Bind(
      wxEVT_BUTTON,
      [this, applyButton](wxCommandEvent&) {
        if (apply()) applyButton->Disable();
      },
      wxID_APPLY);
}

bool CSettingsSheet::apply() {
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i]->shown() && !pages_[i]->validate()) {
      GetBookCtrl()->SetSelection(i);
      return false;
    }
  }
  for (CSettingsPage* page : pages_) {
    if (page->shown()) page->save(app_.settings);
  }
  return true;
}

}  // namespace murlo::gui
