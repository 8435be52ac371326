#!/usr/bin/env bash
# The installed bash completion of murlo-cli, sourced and driven as bash drives it
# (COMP_WORDS, COMP_CWORD): commands, options, option values, setting names and values,
# file and folder names.
#   completion-test.sh BUILD_FOLDER
set -euo pipefail
source "$(dirname "$0")/install-into.sh" "$1"
source "$prefix/share/bash-completion/completions/murlo-cli"

# The completions of the last of the words (after "murlo-cli"), sorted, on one line.
complete_last() {
  COMP_WORDS=(murlo-cli "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _murlo_cli
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}

check "registered" "$(complete -p murlo-cli)" "complete -F _murlo_cli murlo-cli"
check "commands" "$(complete_last re)" "recurse resume"
check "version" "$(complete_last --v)" "--version"
check "a command's options" "$(complete_last download --save-f)" "--save-folder"
check "options of another command" "$(complete_last info --)" "--referrer"
check "choice value" "$(complete_last recurse http://h/ --same-name o)" "overwrite"
check "list value" "$(complete_last analyze --links img,a,f)" "img,a,frame"
check "help topics" "$(complete_last help se)" "settings"
check "setting names" "$(complete_last settings same)" "same-name"
check "setting words" "$(complete_last settings same-name '')" "ask overwrite rename"
check "on and off" "$(complete_last settings --yes hierarchy o)" "off on"
check "a setting list" "$(complete_last settings output-items success,f)" "success,failure"
check "free values" "$(complete_last settings timeout '')" "off"

cd "$work"
mkdir -p lists/sub
touch lists/site.mrl lists/notes.txt
check "list files" "$(complete_last download --list lists/)" "lists/site.mrl lists/sub"
check "folders" "$(complete_last download --save-folder lists/)" "lists/sub"
check "a setting's folder" "$(complete_last settings save-folder lists/s)" "lists/sub"
check "a sound file or off" "$(complete_last settings error-sound lists/n)" "lists/notes.txt"
check "positional files" "$(complete_last list lists/si)" "lists/site.mrl"
exit $((failures > 0))
