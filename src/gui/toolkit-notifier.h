// ToolkitNotifier: desktop notifications through the toolkit's notification message, which
// goes to the desktop's notification service. UI thread.
#pragma once

#include <wx/notifmsg.h>
#include <wx/window.h>

#include <memory>

#include "platform/desktop-notifier.h"

namespace murlo::gui {

class ToolkitNotifier : public DesktopNotifier {
 public:
  void notify(const std::string& title, const std::string& text) override;
  // The window the notification belongs to; null until the main window exists.
  void setParent(wxWindow* parent) { parent_ = parent; }

 private:
  wxWindow* parent_ = nullptr;
  std::unique_ptr<wxNotificationMessage> shown_;
};

}  // namespace murlo::gui
