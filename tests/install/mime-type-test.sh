#!/usr/bin/env bash
# The list file type and the desktop entry, installed into a temporary prefix and asked of
# the desktop's own tools as a file manager asks them: a list file is of the type by its
# extension and, under another name, by its header, and the type opens with murlo.
#   mime-type-test.sh BUILD_FOLDER
set -euo pipefail
source "$(dirname "$0")/install-into.sh" "$1"

update-mime-database "$prefix/share/mime"
update-desktop-database "$prefix/share/applications"
# Only the prefix: nothing the machine has installed may answer for it.
export XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_CONFIG_DIRS="$work/config-dirs" HOME="$work/home"
# A desktop whose file type queries go through the shared MIME database (gio).
export XDG_CURRENT_DESKTOP=GNOME

cd "$work"
"$prefix/bin/murlo-cli" add http://h.example/a.jpg --list saved.mrl >/dev/null
cp saved.mrl renamed.dat
# The oldest version of the format, as lists made long ago begin.
printf '\x0fMRL_LIST_HEADER\x01\x00\x00\x00\x00' >old-list.bin
echo "MRL3_LIST_HEADER" >notes.txt

check "saved list" "$(xdg-mime query filetype saved.mrl)" application/x-murlo-list
check "renamed list" "$(xdg-mime query filetype renamed.dat)" application/x-murlo-list
check "first version" "$(xdg-mime query filetype old-list.bin)" application/x-murlo-list
check "text naming the header" "$(xdg-mime query filetype notes.txt)" text/plain
check "default application" "$(xdg-mime query default application/x-murlo-list)" murlo.desktop

desktop-file-validate "$prefix/share/applications/murlo.desktop"
check "icon of the type" \
  "$(ls "$prefix/share/icons/hicolor/scalable/mimetypes")" application-x-murlo-list.svg
check "the entry passes the file" \
  "$(grep '^Exec=' "$prefix/share/applications/murlo.desktop")" "Exec=murlo --user-data-folder %f"
exit $((failures > 0))
