// DesktopShell: hands a file or address to the desktop's opener (the "open" verb).
#pragma once

#include <string>

namespace murlo {

class DesktopShell {
 public:
  virtual ~DesktopShell() = default;
  // Opens `target` with the user's preferred program, without waiting for it. Returns false
  // when no opener could be started.
  virtual bool open(const std::string& target) = 0;
};

// Opens through xdg-open, detached from this process.
class XdgOpenShell : public DesktopShell {
 public:
  bool open(const std::string& target) override;
};

// Whether an executable of that name is on PATH.
bool commandOnPath(const std::string& name);

}  // namespace murlo
