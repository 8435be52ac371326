#include "platform/dial-up-line.h"

namespace murlo {

namespace {

bool isDialUpType(const std::string& type) {
  return type == "gsm" || type == "cdma" || type == "pppoe" || type == "adsl";
}

// A Bluetooth connection is a dial-up line only in its DUN role (not a PAN network).
bool isBluetoothDialUp(CommandRunner& runner, const ActiveConnection& c) {
  if (c.type != "bluetooth") return false;
  const CommandResult r =
      runner.run({"nmcli", "-g", "bluetooth.type", "connection", "show", "uuid", c.uuid});
  return r.status == 0 && r.output.rfind("dun", 0) == 0;
}

}  // namespace

std::vector<ActiveConnection> parseActiveConnections(std::string_view output) {
  std::vector<ActiveConnection> connections;
  std::vector<std::string> fields(1);
  const auto endLine = [&] {
    if (fields.size() == 3) connections.push_back({fields[0], fields[1], fields[2]});
    fields.assign(1, std::string());
  };
  for (std::size_t i = 0; i < output.size(); ++i) {
    const char c = output[i];
    if (c == '\\' && i + 1 < output.size()) {
      fields.back() += output[++i];
    } else if (c == ':') {
      fields.emplace_back();
    } else if (c == '\n') {
      endLine();
    } else {
      fields.back() += c;
    }
  }
  endLine();
  return connections;
}

int hangUpLine(CommandRunner& runner) {
  const CommandResult listed =
      runner.run({"nmcli", "-t", "-f", "NAME,UUID,TYPE", "connection", "show", "--active"});
  if (listed.status != 0) return 1;
  std::vector<ActiveConnection> dialUp;
  for (const ActiveConnection& c : parseActiveConnections(listed.output)) {
    if (isDialUpType(c.type) || isBluetoothDialUp(runner, c)) dialUp.push_back(c);
  }
  if (dialUp.empty()) return 0;
  // More than one line up: which to drop is not ours to guess, so none is.
  if (dialUp.size() > 1) return 1;
  runner.run({"nmcli", "connection", "down", "uuid", dialUp.front().uuid});
  return 1;
}

}  // namespace murlo
