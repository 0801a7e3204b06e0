#!/bin/sh
# Discard protection: with unsaved changes, File > New asks first. Cancel keeps the course;
# Yes followed by a cancelled save dialog keeps it too; Yes with a file name saves it and
# starts afresh; No throws the changes away. Each course is saved afterwards and counted.
# Usage: discard.sh VELMORA XHELPER RUNDIR
set -eu
velmora=$1 xhelper=$2 run=$3
. "$(dirname "$0")/lib.sh"
e2e_start_directory
e2e_start_x 2700
e2e_start_designer

points() { int_at "$1" 36; }
expect_points() {
    test -f "$1" || { echo "$1 was not saved"; exit 1; }
    [ "$(points "$1")" -eq "$2" ] || { echo "$1 holds $(points "$1") points, expected $2"; exit 1; }
    [ "$(stat -c %s "$1")" -eq $((40 + 124 * $2)) ] || { echo "$1 has a wrong size"; exit 1; }
}
# File > New, which must ask before anything is thrown away.
choose_new() {
    file_menu 1
    "$xhelper" wait Message 10 >/dev/null || { echo "no save prompt"; exit 1; }
    sleep 0.3
}
save_as() { file_menu 3; save_dialog "$run/$1"; }

# Three points in the top view, then New answered with Cancel (Escape).
click 150 100
click 300 110
click 330 250
choose_new
"$xhelper" shot prompt.png 0 0 800 600
xdotool key Escape
window_gone Message
save_as cancelled.cus
expect_points cancelled.cus 3

# A fourth point; New answered with Yes (Return, the default), the save dialog cancelled.
click 160 230
choose_new
xdotool key Return
window_gone Message
save_dialog
save_as save-cancelled.cus
expect_points save-cancelled.cus 4

# A fifth point; New answered with Yes and a file name: the course is saved, then emptied.
click 250 180
choose_new
xdotool key Return
window_gone Message
save_dialog "$run/saved.cus"
expect_points saved.cus 5
save_as renewed.cus
expect_points renewed.cus 0

# The new course is empty and unchanged; two points make it changed again, and New answered
# with No (its mnemonic) throws them away.
click 200 120
click 220 200
choose_new
xdotool key alt+n
window_gone Message
"$xhelper" shot discarded.png 0 0 800 600
save_as discarded.cus
expect_points discarded.cus 0

# Nothing is left unsaved, so closing asks nothing.
e2e_close_designer
echo "discard protection passed"
