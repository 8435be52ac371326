#include "job-notice.h"

namespace murlo::gui {

void noticeJobEnd(wxWindow& window, const AppContext& app, const JobOutcome& outcome) {
  if (!app.notifier || (app.settings.sound & sound::kNoNotification) != 0) return;
  // A user who is looking at the window sees the end there already.
  auto* mainWindow = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(&window));
  if (mainWindow && mainWindow->IsActive()) return;
  app.notifier->notify(jobOutcomeTitle(outcome), jobOutcomeText(outcome));
}

}  // namespace murlo::gui
