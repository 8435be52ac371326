// Works the wizard's current page as a user would, by labels and control IDs.
#pragma once

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <string>

#include "wizard/wiz-dlg04.h"
#include "wizard/wiz-page.h"
#include "wizard/wizard.h"

namespace murlo::test {

inline wxRadioButton* findRadio(wxWindow* parent, const wxString& label) {
  for (wxWindow* child : parent->GetChildren()) {
    auto* radio = dynamic_cast<wxRadioButton*>(child);
    if (radio && radio->GetLabel() == label) return radio;
    if (wxRadioButton* inside = findRadio(child, label)) return inside;
  }
  return nullptr;
}

struct WizardUser {
  gui::CWizard& wizard;

  wxWizardPage* current() { return wizard.GetCurrentPage(); }
  // The current page's number; 0 once the wizard has ended.
  int page() { return current() ? static_cast<gui::CWizPage*>(current())->id() : 0; }
  void choose(const char* label) {
    wxRadioButton* radio = findRadio(current(), wxString::FromUTF8(label));
    ASSERT_NE(radio, nullptr) << label;
    radio->SetValue(true);
  }
  void type(int id, const std::string& text) {
    static_cast<wxTextCtrl*>(current()->FindWindow(id))->SetValue(wxString::FromUTF8(text));
  }
  std::string text(int id) {
    return std::string(static_cast<wxTextCtrl*>(current()->FindWindow(id))->GetValue().utf8_str());
  }
  void tick(int id, bool on) { static_cast<wxCheckBox*>(current()->FindWindow(id))->SetValue(on); }
  bool ticked(int id) { return static_cast<wxCheckBox*>(current()->FindWindow(id))->GetValue(); }
  // A button of the current page, else of the wizard.
  void press(int id) {
    wxWindow* button = current()->FindWindow(id);
    if (!button) button = wizard.FindWindow(id);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
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
