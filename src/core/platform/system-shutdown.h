// SystemShutdown: powers the computer off. The program's implementation asks systemd; tests
// only ever use a fake.
#pragma once

#include <memory>

#include "platform/command-runner.h"

namespace murlo {

class SystemShutdown {
 public:
  virtual ~SystemShutdown() = default;
  // Asks for an orderly power-off, without forcing running programs to close.
  virtual void powerOff() = 0;
};

// `systemctl poweroff` through `runner`, which must outlive it.
std::unique_ptr<SystemShutdown> makeSystemShutdown(CommandRunner& runner);

}  // namespace murlo
