// The output window: a read-only text log docked at the bottom of the main window.
#pragma once

#include <wx/textctrl.h>

#include "jobs/write-output.h"

namespace murlo::gui {

class OutputWindow : public wxTextCtrl, public OutputSink {
 public:
  explicit OutputWindow(wxWindow* parent);

  // OutputSink; UI thread only. Item texts are shown decoded (UTF-8 or CP932).
  void append(const std::string& text) override;
  void resetToBanner() override;
};

}  // namespace murlo::gui
