#!/bin/sh
# The real file dialogs and save prompt as a new user meets them, answered from the
# keyboard. In a start directory where no dialog has a folder remembered yet, a bare name
# typed into the save dialog saves into the start directory; the same name again asks
# before replacing the file, and "No" leaves the file as it was while "Yes" replaces it.
# With unsaved changes File > New asks first, and No (its mnemonic) throws the changes
# away; with nothing left unsaved, closing asks nothing. The window tests prove that
# Return answers Yes and Escape cancels.
# Usage: dialogs.sh VELMORA XHELPER RUNDIR
. "$(dirname "$0")/lib.sh"
e2e_begin

name="bare-$$.cus"
expect_points() {
    test -f "$1" || { echo "$1 was not saved"; exit 1; }
    [ "$(points "$1")" -eq "$2" ] || { echo "$1 holds $(points "$1") points, expected $2"; exit 1; }
}
# The save dialog and the question over it share their title.
dialogs_shown() { xdotool search --onlyvisible --name "^$save_title\$" 2>/dev/null | wc -l; }
ask_to_replace() {
    file_menu 4
    "$xhelper" wait "$save_title" 10 >/dev/null || { echo "no save dialog"; exit 1; }
    sleep 0.3
    xdotool type --delay 20 "$name"
    xdotool key Return
    for _ in $(seq 30); do [ "$(dialogs_shown)" -eq 2 ] && return 0; sleep 0.2; done
    echo "saving onto $name did not ask first"; exit 1
}
# File > New answered with the key.
answer_new() {
    file_menu 1
    "$xhelper" wait Message 10 >/dev/null || { echo "no save prompt"; exit 1; }
    sleep 0.3
    xdotool key "$1"
    window_gone Message
}

click 150 100
e2e_save_as "$name"
expect_points "$run/$name" 1

click 250 120
ask_to_replace
xdotool key alt+n
sleep 0.5
# Without a window manager nothing hands the focus back to the dialog.
xdotool windowfocus --sync "$("$xhelper" wait "$save_title" 5)"
xdotool key Escape
window_gone "$save_title"
expect_points "$name" 1
ask_to_replace
xdotool key alt+y
window_gone "$save_title"
expect_points "$name" 2

click 330 250
answer_new alt+n
e2e_save_as "$run/discarded.cus"
expect_points discarded.cus 0

e2e_close_designer
echo "file dialogs and save prompt passed"
