// The dial-up line: NetworkManager's active connections of a dial-up kind (mobile
// broadband, PPPoE, ADSL, Bluetooth dial-up), read and hung up through nmcli.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/command-runner.h"

namespace murlo {

struct ActiveConnection {
  std::string name;
  std::string uuid;
  std::string type;
};

// Parses `nmcli -t -f NAME,UUID,TYPE connection show --active`: one connection a line,
// fields split at ":", with "\:" and "\\" standing for a literal colon and backslash.
std::vector<ActiveConnection> parseActiveConnections(std::string_view output);

// Hangs up the dial-up connection when exactly one is active and returns 1; returns 0 when
// none is active, and 1 without hanging up when nmcli fails or more than one is active.
int hangUpLine(CommandRunner& runner);

}  // namespace murlo
