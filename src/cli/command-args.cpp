#include "command-args.h"

namespace murlo::cli {

CommandArgs parseCommandArgs(const Args& args, const std::set<std::string>& valueOptions,
                             const std::set<std::string>& switchOptions) {
  CommandArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      parsed.positional.push_back(arg);
    } else if (switchOptions.contains(arg)) {
      parsed.switches.insert(arg);
    } else if (!valueOptions.contains(arg)) {
      parsed.error = "不明なオプションです: " + arg;
      return parsed;
    } else if (i + 1 == args.size() || args[i + 1].starts_with("--")) {
      parsed.error = arg + " の値がありません";
      return parsed;
    } else {
      parsed.values[arg] = args[++i];
    }
  }
  return parsed;
}

}  // namespace murlo::cli
