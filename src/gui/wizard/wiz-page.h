// CWizPage: one page of the wizard, named by its template number. Back follows the
// wizard's rules; Next runs the page's checks, which keep the page when they refuse.
#pragma once

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/wizard.h>

#include <initializer_list>
#include <optional>
#include <vector>

#include "wizard/wizard.h"

namespace murlo::gui {

class CWizPage : public wxWizardPage {
 public:
  CWizPage(CWizard& wizard, wizard::WizardPage id);

  wizard::WizardPage id() const { return id_; }
  wxWizardPage* GetPrev() const override;
  wxWizardPage* GetNext() const override;

 protected:
  // Checks and stores the page's answers: the next page, or WizardPage::kStay.
  virtual wizard::WizardPage next() = 0;
  // Fills the page each time it is shown.
  virtual void onShow() {}

  CWizard& wizard() { return wizard_; }
  AppSettings& settings() { return wizard_.app().settings; }
  Prompter& prompter() { return *wizard_.app().prompter; }
  wxBoxSizer* top() { return top_; }
  // A line of text added to the page.
  void addText(const char* text);
  // A length in dialog units as pixels on this page.
  int dlu(int units) const { return ConvertDialogToPixels(wxSize(units, 0)).x; }

 private:
  CWizard& wizard_;
  const wizard::WizardPage id_;
  wizard::WizardPage next_ = wizard::WizardPage::kStay;
  wxBoxSizer* top_;
};

// Radio buttons of which none is chosen at first. A group always keeps one button on, so
// the group starts on a hidden button of its own.
class RadioGroup {
 public:
  RadioGroup(wxWindow* parent, wxSizer* sizer, std::initializer_list<const char*> labels);

  // The chosen button as the choice enum whose values number the labels in their order;
  // empty while none is chosen.
  template <typename Choice>
  std::optional<Choice> choice() const {
    const std::optional<int> index = chosenIndex();
    if (!index) return std::nullopt;
    return static_cast<Choice>(*index);
  }

 private:
  std::optional<int> chosenIndex() const;

  std::vector<wxRadioButton*> buttons_;
};

}  // namespace murlo::gui
