// Works a modal dialog as a user would, by control IDs and labels, on the dialog's own modal
// loop: a control is changed, then it sends the event a user's change would. Controls are
// looked for on the current page of a wizard or a property sheet before the dialog itself.
#pragma once

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/propdlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/wizard.h>

#include <functional>
#include <string>

namespace murlo::test {

// The first window of type T at or under `root` labelled `label` (UTF-8), or nullptr.
template <typename T>
T* findLabelled(wxWindow* root, const std::string& label) {
  for (wxWindow* child : root->GetChildren()) {
    auto* found = dynamic_cast<T*>(child);
    if (found && std::string(found->GetLabel().utf8_str()) == label) return found;
    if (T* deeper = findLabelled<T>(child, label)) return deeper;
  }
  return nullptr;
}

struct DialogDriver {
  wxDialog& dlg;

  // The page shown by a wizard or a property sheet, else the dialog.
  wxWindow* pane() {
    if (auto* wizard = dynamic_cast<wxWizard*>(&dlg); wizard && wizard->GetCurrentPage()) {
      return wizard->GetCurrentPage();
    }
    if (auto* sheet = dynamic_cast<wxPropertySheetDialog*>(&dlg)) {
      return sheet->GetBookCtrl()->GetCurrentPage();
    }
    return &dlg;
  }
  template <typename T>
  T* control(int id) {
    wxWindow* found = pane()->FindWindow(id);
    return dynamic_cast<T*>(found ? found : dlg.FindWindow(id));
  }
  wxTextCtrl* field(int id) { return control<wxTextCtrl>(id); }
  std::string text(int id) { return std::string(control<wxTextEntry>(id)->GetValue().utf8_str()); }
  void type(int id, const std::string& text) {
    control<wxTextEntry>(id)->SetValue(wxString::FromUTF8(text));
  }
  void press(int id) {
    wxWindow* button = control<wxWindow>(id);
    ASSERT_TRUE(button) << id;
    send(button, wxEVT_BUTTON, 0);
  }
  // Presses OK; true when the dialog closed.
  bool ok() {
    press(wxID_OK);
    return !dlg.IsModal();
  }
  void click(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    send(box, wxEVT_CHECKBOX, box->GetValue());
  }
  void tick(int id, bool on) {
    auto* box = control<wxCheckBox>(id);
    if (box->GetValue() != on) click(box);
  }
  bool ticked(int id) { return control<wxCheckBox>(id)->GetValue(); }
  void choose(const std::string& label) {
    auto* radio = findLabelled<wxRadioButton>(pane(), label);
    ASSERT_TRUE(radio) << label;
    radio->SetValue(true);
    send(radio, wxEVT_RADIOBUTTON, 1);
  }

  static void send(wxWindow* w, wxEventType type, int value) {
    wxCommandEvent event(type, w->GetId());
    event.SetEventObject(w);
    event.SetInt(value);
    w->GetEventHandler()->ProcessEvent(event);
  }
};

// Runs `open`, which shows a modal `Dlg`; `use` works the dialog once it is shown, and
// whatever it leaves open is cancelled. Returns whether the dialog was shown.
template <typename Dlg>
bool driveModal(const std::function<void()>& open,
                const std::function<void(Dlg&, DialogDriver&)>& use) {
  bool shown = false;
  wxTheApp->CallAfter([&] {
    for (wxWindow* w : wxTopLevelWindows) {
      auto* dlg = dynamic_cast<Dlg*>(w);
      if (!dlg || !dlg->IsModal()) continue;
      shown = true;
      DialogDriver driver{*dlg};
      use(*dlg, driver);
      if (dlg->IsModal()) dlg->EndModal(wxID_CANCEL);
      return;
    }
  });
  open();
  return shown;
}

}  // namespace murlo::test
