// The options read from the help's texts, which the manual page and the completion are
// made from: how the help writes switches, values and choices, and prose that only
// mentions an option.
#include "help-options.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace murlo::cli {
namespace {

std::string listed(const std::vector<HelpOption>& options) {
  std::string out;
  for (const HelpOption& o : options) out += o.name + (o.value.empty() ? "" : "=" + o.value) + ";";
  return out;
}

TEST(HelpOptions, SwitchesValuesAndChoicesAsTheHelpWritesThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"  list [--raw] FILE.mrl      表示します\n", "--raw;"},
      {"  add URL --range RANGE --format FORMAT [--digits N] [--step N] --list FILE.mrl\n",
       "--range=RANGE;--format=FORMAT;--digits=N;--step=N;--list=FILE.mrl;"},
      {"  settings [NAME [VALUE]] [--yes|--no]\n", "--yes;--no;"},
      {"  --hierarchy, --no-hierarchy\n", "--hierarchy;--no-hierarchy;"},
      {"  --same-name ask|overwrite|rename\n", "--same-name=ask|overwrite|rename;"},
      // Prose after an option is no value; a value given at another mention counts.
      {"  --save-folder DIR  (--yes なら確認せずに)\n", "--save-folder=DIR;--yes;"},
      {"(--contain の既定は URL) [--contain TEXT]", "--contain=TEXT;"},
      // Not options: inside a word, a digit, a lone pair of dashes.
      {"a--b x --9 -- --", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(listed(helpOptions(text)), expected) << text;
}

TEST(HelpOptions, JobCommandsTakeTheJobOptionsToo) {
  const auto command = [](const char* name) {
    const auto all = helpCommands();
    return *std::find_if(all.begin(), all.end(),
                         [&](const CommandHelp& c) { return std::string(c.name) == name; });
  };
  const std::string download = listed(commandOptions(command("download")));
  EXPECT_EQ(download.rfind("--list=FILE.mrl;--rows=ROWS;", 0), 0u) << download;
  EXPECT_NE(download.find("--save-folder=DIR;"), std::string::npos) << download;
  EXPECT_EQ(listed(commandOptions(command("info"))), "--referrer=R;");
}

}  // namespace
}  // namespace murlo::cli
