// Works a modal dialog as a user would: by control IDs, on the dialog's own modal loop.
#pragma once

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>

namespace murlo::test {

struct DialogDriver {
  wxDialog& dlg;

  wxTextCtrl* field(int id) { return static_cast<wxTextCtrl*>(dlg.FindWindow(id)); }
  std::string text(int id) { return std::string(field(id)->GetValue().utf8_str()); }
  void type(int id, const std::string& text) { field(id)->SetValue(wxString::FromUTF8(text)); }
  void press(int id) {
    wxWindow* button = dlg.FindWindow(id);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
  }
  // Presses OK; true when the dialog closed.
  bool ok() {
    press(wxID_OK);
    return !dlg.IsModal();
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
