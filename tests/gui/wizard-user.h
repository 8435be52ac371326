// Works the wizard as a user would: its current page through the dialog driver, its Back and
// Next buttons and its page numbers.
#pragma once

#include "dialog-driver.h"
#include "wizard/wiz-dlg04.h"
#include "wizard/wiz-page.h"
#include "wizard/wizard.h"

namespace murlo::test {

struct WizardUser : DialogDriver {
  explicit WizardUser(gui::CWizard& wizard) : DialogDriver{wizard}, wizard(wizard) {}

  gui::CWizard& wizard;

  wxWizardPage* current() { return wizard.GetCurrentPage(); }
  // The current page; kStay once the wizard has ended.
  gui::wizard::WizardPage page() {
    return current() ? static_cast<gui::CWizPage*>(current())->id()
                     : gui::wizard::WizardPage::kStay;
  }
  void next() { press(wxID_FORWARD); }
  void back() { press(wxID_BACKWARD); }
  std::string buttonLabel(int id) {
    return std::string(wizard.FindWindow(id)->GetLabel().utf8_str());
  }
  bool backEnabled() { return wizard.FindWindow(wxID_BACKWARD)->IsEnabled(); }
  gui::CWizDlg04& summary() { return *static_cast<gui::CWizDlg04*>(current()); }
};

}  // namespace murlo::test
