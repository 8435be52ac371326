// DesktopNotifier: a short message the desktop shows outside the program's windows (a
// notification bubble), for a user who is working in another program. Nothing is asked or
// waited for. UI thread.
#pragma once

#include <string>

namespace murlo {

class DesktopNotifier {
 public:
  virtual ~DesktopNotifier() = default;
  // `title` and `text` in UTF-8.
  virtual void notify(const std::string& title, const std::string& text) = 0;
};

}  // namespace murlo
