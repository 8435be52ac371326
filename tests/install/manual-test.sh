#!/usr/bin/env bash
# The installed manual pages: troff reads them without a warning at the usual terminal
# widths, man finds them under the prefix, and murlo-cli's page names every command its
# help names.
#   manual-test.sh BUILD_FOLDER
set -euo pipefail
source "$(dirname "$0")/install-into.sh" "$1"
man1="$prefix/share/man/man1"
cd "$work"

pages=(murlo-cli)
[[ -f "$man1/murlo.1" ]] && pages+=(murlo)
for page in "${pages[@]}"; do
  check "$page: troff warnings" "$(groff -k -man -Tutf8 -ww -z "$man1/$page.1" 2>&1)" ""
  for width in 80 60; do
    check "$page: man warnings at $width columns" \
      "$(MANWIDTH=$width man -l "$man1/$page.1" 2>&1 >/dev/null)" ""
  done
  check "$page: found by man" "$(MANPATH="$prefix/share/man" man -w "$page")" "$man1/$page.1"
done

page=$(MANWIDTH=200 man -l "$man1/murlo-cli.1" 2>/dev/null)
# The commands as the help lists them: the lines under "コマンド:" up to the blank line.
commands=$("$prefix/bin/murlo-cli" help |
  awk '/^コマンド:/ { on = 1; next } /^$/ { on = 0 } on && /^  [a-z]/ { print $1 }' | sort -u)
[[ -n "$commands" ]] || check "commands in the help" none some
for command in $commands; do
  # Each command has its own subsection.
  grep -qx "   $command" <<<"$page" || check "$command in the manual page" missing present
done
# And every setting name, with its values.
for setting in $("$prefix/bin/murlo-cli" settings | awk -F'\t' 'NF > 1 { print $1 }'); do
  grep -qx "       $setting" <<<"$page" || check "$setting in the manual page" missing present
done
exit $((failures > 0))
