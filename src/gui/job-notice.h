// The notice of a job's end for a user who is working in another window: a desktop
// notification with the job's result, unless the setting turns it off. The sounds and the
// end-of-job actions are not its business. UI thread.
#pragma once

#include <wx/toplevel.h>

#include "app-context.h"
#include "jobs/job-outcome.h"

namespace murlo::gui {

// Notifies the desktop of `outcome` when the main window (`window`'s top-level window) is
// not the active window and the notification is on (sound::kNoNotification clear).
void noticeJobEnd(wxWindow& window, const AppContext& app, const JobOutcome& outcome);

}  // namespace murlo::gui
