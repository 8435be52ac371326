#include "platform/system-shutdown.h"

namespace murlo {

namespace {

class SystemdShutdown : public SystemShutdown {
 public:
  explicit SystemdShutdown(CommandRunner& runner) : runner_(runner) {}
  void powerOff() override { runner_.run({"systemctl", "poweroff"}); }

 private:
  CommandRunner& runner_;
};

}  // namespace

std::unique_ptr<SystemShutdown> makeSystemShutdown(CommandRunner& runner) {
  return std::make_unique<SystemdShutdown>(runner);
}

}  // namespace murlo
