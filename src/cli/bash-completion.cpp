#include "bash-completion.h"

#include "cli-help.h"
#include "help-options.h"
#include "settings/setting-names.h"

namespace murlo::cli {

namespace {

// The functions the generated cases call. $cur is the word being completed.
constexpr const char* kHelpers =
    R"(# bash completion for murlo-cli, made from its help and its setting names.

# Completes the last item of a comma-separated list of the words $1.
_murlo_cli_list() {
  local prefix=
  [[ $cur == *,* ]] && prefix=${cur%,*},
  COMPREPLY=($(compgen -P "$prefix" -W "$1" -- "${cur##*,}"))
}

# Completes a value: words WORDS, list WORDS, folder, file [WORDS], list-file.
_murlo_cli_value() {
  case $1 in
    words) COMPREPLY=($(compgen -W "$2" -- "$cur")) ;;
    list) _murlo_cli_list "$2" ;;
    folder)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -d -- "$cur")) ;;
    file)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -W "$2" -- "$cur") $(compgen -f -- "$cur")) ;;
    list-file)
      compopt -o filenames 2>/dev/null
      COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.mrl' -- "$cur")) ;;
  esac
}
)";

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

// The arguments of _murlo_cli_value for a setting's values; empty when nothing completes.
std::string settingValue(const SettingName& setting) {
  const std::string words = "\"" + joined(setting.words) + "\"";
  switch (setting.free) {
    case FreeValue::kFolder: return "folder";
    case FreeValue::kFile: return "file " + words;
    case FreeValue::kNone: return (setting.wordList ? "list " : "words ") + words;
    case FreeValue::kText: return setting.words.empty() ? "" : "words " + words;
  }
  return "";
}

// The arguments of _murlo_cli_value for an option's value: the setting of the same name
// when there is one (--same-name, --links), else what its placeholder says.
std::string optionValue(const HelpOption& option) {
  if (const SettingName* setting = findSetting(std::string_view(option.name).substr(2)))
    return settingValue(*setting);
  const std::string& v = option.value;
  if (v.find('|') != std::string::npos) {
    std::string words = v;
    for (char& c : words) c = c == '|' ? ' ' : c;
    return "words \"" + words + "\"";
  }
  if (v == "DIR") return "folder";
  if (v == "FILE.mrl") return "list-file";
  if (v.starts_with("FILE")) return "file";
  return "";
}

// One case line: `pattern) body ;;`, indented by `indent` spaces.
std::string caseLine(const std::string& pattern, const std::string& body, int indent = 4) {
  return std::string(static_cast<std::size_t>(indent), ' ') + pattern + ") " + body + " ;;\n";
}

// Every option that takes a value, once.
std::vector<HelpOption> valuedOptions() {
  std::vector<HelpOption> all;
  for (const CommandHelp& command : helpCommands()) {
    for (HelpOption& option : commandOptions(command)) {
      bool known = false;
      for (const HelpOption& o : all) known = known || o.name == option.name;
      if (!known && !option.value.empty()) all.push_back(std::move(option));
    }
  }
  return all;
}

// The value of the option before the word.
std::string optionValueCases(const std::vector<HelpOption>& valued) {
  std::string out;
  for (const HelpOption& option : valued) {
    const std::string value = optionValue(option);
    out +=
        caseLine(option.name, (value.empty() ? "" : "_murlo_cli_value " + value + "; ") + "return");
  }
  return out;
}

// Setting names after "settings", then the named setting's values.
std::string settingsCase() {
  std::vector<std::string> names;
  std::string values;
  for (const SettingName& setting : settingNames()) {
    names.push_back(setting.name);
    const std::string value = settingValue(setting);
    if (!value.empty()) values += caseLine(setting.name, "_murlo_cli_value " + value, 14);
  }
  return "      if [[ $cur != -* ]]; then\n"
         "        case ${#args[@]} in\n"
         "          0) COMPREPLY=($(compgen -W \"" +
         joined(names) +
         "\" -- \"$cur\")) ;;\n"
         "          1) case ${args[0]} in\n" +
         values +
         "             esac ;;\n"
         "        esac\n"
         "        return\n"
         "      fi\n";
}

}  // namespace

std::string bashCompletion() {
  std::vector<std::string> commands;
  std::vector<std::string> topLevel;
  std::string optionCases;
  for (const CommandHelp& command : helpCommands()) {
    commands.emplace_back(command.name);
    std::vector<std::string> options;
    for (const HelpOption& option : commandOptions(command)) options.push_back(option.name);
    // The options the help entry names stand in place of a command.
    if (std::string_view(command.name) == "help") {
      topLevel = options;
      optionCases += caseLine("help", "((${#args[@]} == 0)) && COMPREPLY=($(compgen -W \"" +
                                          joined(commands) + "\" -- \"$cur\")); return");
      continue;
    }
    optionCases += "    " + std::string(command.name) + ")\n      options=\"" + joined(options) +
                   "\"\n" + (std::string_view(command.name) == "settings" ? settingsCase() : "") +
                   "      ;;\n";
  }
  std::vector<std::string> first = commands;
  first.insert(first.end(), topLevel.begin(), topLevel.end());
  const std::vector<HelpOption> valued = valuedOptions();
  std::string valuedNames = " ";
  for (const HelpOption& option : valued) valuedNames += option.name + " ";
  return std::string(kHelpers) +
         "\n_murlo_cli() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
         "  COMPREPLY=()\n"
         "  if ((COMP_CWORD == 1)); then\n"
         "    COMPREPLY=($(compgen -W \"" +
         joined(first) +
         "\" -- \"$cur\"))\n"
         "    return\n"
         "  fi\n"
         "  case $prev in\n" +
         optionValueCases(valued) +
         "  esac\n"
         "  # The words after the command that are neither options nor their values.\n"
         "  local valued=\"" +
         valuedNames +
         "\" args=() i\n"
         "  for ((i = 2; i < COMP_CWORD; i++)); do\n"
         "    [[ ${COMP_WORDS[i]} == -* || $valued == *\" ${COMP_WORDS[i-1]} \"* ]] ||\n"
         "      args+=(\"${COMP_WORDS[i]}\")\n"
         "  done\n"
         "  local options=\n"
         "  case ${COMP_WORDS[1]} in\n" +
         optionCases +
         "  esac\n"
         "  if [[ $cur == -* ]]; then\n"
         "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
         "    return\n"
         "  fi\n"
         "  compopt -o filenames 2>/dev/null\n"
         "  COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "}\n"
         "complete -F _murlo_cli murlo-cli\n";
}

}  // namespace murlo::cli
