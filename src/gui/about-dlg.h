// CAboutDlg (dialog 100): the program icon, name and version and the year, with OK.
#pragma once

#include <wx/dialog.h>

namespace murlo::gui {

class CAboutDlg : public wxDialog {
 public:
  explicit CAboutDlg(wxWindow* parent);
};

}  // namespace murlo::gui
