#include "output-window.h"

#include "text/cp932.h"

namespace murlo::gui {

OutputWindow::OutputWindow(wxWindow* parent)
    // Long address lines wrap: the log scrolls up and down only.
    : wxTextCtrl(parent, 1000, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                 wxTE_MULTILINE | wxTE_READONLY | wxTE_BESTWRAP | wxVSCROLL | wxBORDER_SUNKEN) {
  resetToBanner();
}

void OutputWindow::append(const std::string& text) {
  // Lines are written with CR LF; the control shows LF line ends.
  std::string shown = displayText(text);
  std::string lf;
  lf.reserve(shown.size());
  for (char c : shown) {
    if (c != '\r') lf.push_back(c);
  }
  SetInsertionPointEnd();
  AppendText(wxString::FromUTF8(lf));
  ShowPosition(GetLastPosition());
}

void OutputWindow::resetToBanner() {
  ChangeValue(wxString::FromUTF8(kOutputBanner));
  SetInsertionPointEnd();
}

}  // namespace murlo::gui
