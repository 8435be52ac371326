#include "toolkit-notifier.h"

#include <wx/log.h>

#include "ui-text.h"

namespace murlo::gui {

void ToolkitNotifier::notify(const std::string& title, const std::string& text) {
  // Kept until the next one, so no implementation takes it down when the object goes.
  shown_ = std::make_unique<wxNotificationMessage>(u8(title), u8(text), parent_);
  // A desktop without a notification service is no error: the notice is lost, as a sound
  // is without a sound server, and nothing is logged.
  wxLogNull quiet;
  shown_->Show(wxNotificationMessage::Timeout_Auto);
}

}  // namespace murlo::gui
