// CWizard: "Murlo ｳｨｻﾞｰﾄﾞ", seven pages that set up one job for a beginner. Each page's
// Next writes its answers into the settings at once; the sheet keeps the mode, the page the
// user came from and the address for the finish actions. UI thread only.
#pragma once

#include <wx/wizard.h>

#include <vector>

#include "app-context.h"
#include "logic/wizard-rules.h"

namespace murlo::gui {

class CWizPage;

class CWizard : public wxWizard {
 public:
  CWizard(wxWindow* parent, AppContext& app);

  // Runs the wizard modally; true when the user pressed Finish on the summary.
  bool run();

  AppContext& app() { return app_; }
  wizard::WizardState& state() { return state_; }
  const wizard::WizardState& state() const { return state_; }
  // The page with that template number, or nullptr.
  CWizPage* page(wizard::WizardPage id) const;

  bool ShowPage(wxWizardPage* page, bool goingForward = true) override;
  bool HasNextPage(wxWizardPage* page) override;
  bool HasPrevPage(wxWizardPage* page) override;

 private:
  AppContext& app_;
  wizard::WizardState state_;
  std::vector<CWizPage*> pages_;
};

}  // namespace murlo::gui
