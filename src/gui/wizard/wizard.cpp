#include "wizard/wizard.h"

#include <wx/button.h>

#include "ui-text.h"
#include "wizard/wiz-address-page.h"
#include "wizard/wiz-choice-pages.h"
#include "wizard/wiz-dlg04.h"
#include "wizard/wiz-dlg06.h"

namespace murlo::gui {

using namespace wizard;

CWizard::CWizard(wxWindow* parent, AppContext& app)
    : wxWizard(parent, wxID_ANY, u8("Murlo ｳｨｻﾞｰﾄﾞ")), app_(app) {
  pages_ = {new CWizDlg01(*this),
            new CWizDlg02(*this),
            new CWizAddressPage(*this, WizardPage::kAddress),
            new CWizDlg04(*this),
            new CWizDlg05(*this),
            new CWizDlg06(*this),
            new CWizAddressPage(*this, WizardPage::kLargeFile)};
  // Every page in the page area, so the wizard is as large as its largest page.
  for (CWizPage* p : pages_) GetPageAreaSizer()->Add(p);
  FindWindow(wxID_CANCEL)->SetLabel(u8("ｷｬﾝｾﾙ"));
  // Alt+N is "次へ(&N)" on every page that has a next one, also where a choice of the page
  // carries the same letter.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    wxWindow* next = FindWindow(wxID_FORWARD);
    if (event.GetModifiers() == wxMOD_ALT && event.GetKeyCode() == 'N' && next->IsEnabled() &&
        GetCurrentPage() && HasNextPage(GetCurrentPage())) {
      wxCommandEvent click(wxEVT_BUTTON, wxID_FORWARD);
      click.SetEventObject(next);
      next->GetEventHandler()->ProcessEvent(click);
    } else {
      event.Skip();
    }
  });
}

bool CWizard::run() { return RunWizard(page(WizardPage::kPurpose)); }

CWizPage* CWizard::page(WizardPage id) const {
  for (CWizPage* p : pages_) {
    if (p->id() == id) return p;
  }
  return nullptr;
}

bool CWizard::ShowPage(wxWizardPage* page, bool goingForward) {
  if (!wxWizard::ShowPage(page, goingForward)) return false;
  // The toolkit labels its buttons in its own language; the wizard speaks the program's.
  if (page) {
    FindWindow(wxID_BACKWARD)->SetLabel(u8("< 戻る(&B)"));
    FindWindow(wxID_FORWARD)->SetLabel(u8(HasNextPage(page) ? "次へ(&N) >" : "完了"));
  }
  return true;
}

bool CWizard::HasNextPage(wxWizardPage* page) {
  return static_cast<CWizPage*>(page)->id() != WizardPage::kSummary;
}

bool CWizard::HasPrevPage(wxWizardPage* page) {
  return static_cast<CWizPage*>(page)->id() != WizardPage::kPurpose;
}

}  // namespace murlo::gui
