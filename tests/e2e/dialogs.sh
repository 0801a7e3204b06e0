#!/bin/sh
# The save dialog as a new user meets it, in a start directory where no dialog has a
# folder remembered yet: a bare name typed into it saves into the start directory, which
# the dialog then remembers; the same name again asks before replacing the file, in
# Japanese, and "No" leaves the file as it was while "Yes" replaces it.
# Usage: dialogs.sh VELMORA XHELPER RUNDIR
set -eu
velmora=$1 xhelper=$2 run=$3
. "$(dirname "$0")/lib.sh"
e2e_start_directory
e2e_start_x 3100
e2e_start_designer

name="bare-$$.cus"
points() { int_at "$1" 36; }
# The save dialog and the question over it share their title.
dialogs_shown() { xdotool search --onlyvisible --name "^$save_title\$" 2>/dev/null | wc -l; }
ask_to_replace() {
    file_menu 3
    "$xhelper" wait "$save_title" 10 >/dev/null || { echo "no save dialog"; exit 1; }
    sleep 0.3
    xdotool type --delay 20 "$name"
    xdotool key Return
    for _ in $(seq 30); do [ "$(dialogs_shown)" -eq 2 ] && return 0; sleep 0.2; done
    echo "saving onto $name did not ask first"; exit 1
}

click 150 100
e2e_save_as "$name"
test -f "$run/$name" || { echo "the bare name did not land in the start directory"; exit 1; }
if [ -e "/$name" ]; then rm -f "/$name"; echo "the bare name landed in /"; exit 1; fi
[ "$(ini_value LoadFileDir CourseFileSave)" = "$run" ] ||
    { echo "the save dialog remembered another folder"; cat Settei.ini; exit 1; }

click 250 120
ask_to_replace
"$xhelper" shot question.png 0 0 800 600
xdotool key alt+n
sleep 0.5
# Without a window manager nothing hands the focus back to the dialog.
xdotool windowfocus --sync "$("$xhelper" wait "$save_title" 5)"
xdotool key Escape
window_gone "$save_title"
[ "$(points "$name")" -eq 1 ] || { echo "\"No\" replaced the file"; exit 1; }

ask_to_replace
xdotool key alt+y
window_gone "$save_title"
[ "$(points "$name")" -eq 2 ] || { echo "\"Yes\" did not replace the file"; exit 1; }

e2e_close_designer
echo "file dialogs passed"
