#!/bin/sh
# A person's editing session with real X input and the real dialogs, answered from the
# keyboard, and the recovery copy after a killed designer. In a start directory where no
# dialog remembers a folder yet, a bare name typed into the save dialog saves into the
# start directory; the same name again asks before replacing the file, and "No" leaves the
# file as it was while "Yes" replaces it. Ctrl+Z twice and Ctrl+S save one point to that
# file without asking, Ctrl+Y twice and Ctrl+S three. A fourth point, the second dragged in
# the top view, the height layout chosen and that point raised in the developed side view,
# a pause, kill -9; started again in the same folder, the designer asks, Return brings the
# work back, and Ctrl+S saves exactly the course the copy held. With unsaved changes
# File > New asks first, and No (its mnemonic) throws the changes away; with nothing left
# unsaved, closing asks nothing. The window tests prove that Return answers Yes and Escape
# cancels.
# Usage: editing_session.sh VELMORA XHELPER RUNDIR
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
    type_file_name "$name"
    for _ in $(seq 30); do [ "$(dialogs_shown)" -eq 2 ] && return 0; sleep 0.2; done
    echo "saving onto $name did not ask first"; exit 1
}
# With no window manager to hand the focus back once a dialog is gone, it is set here.
keys() {
    xdotool windowfocus --sync "$window"
    for key in "$@"; do xdotool key "$key"; sleep 0.3; done
}

# The top view is the top-left quarter right of the 91-pixel panel.
click 150 100
e2e_save_as "$name"
expect_points "$run/$name" 1
click 250 120
ask_to_replace
xdotool key alt+n
sleep 0.5
xdotool windowfocus --sync "$(wait_window "$save_title" 5)"
xdotool key Escape
window_gone "$save_title"
expect_points "$name" 1
ask_to_replace
xdotool key alt+y
window_gone "$save_title"
expect_points "$name" 2

click 350 200
keys ctrl+z ctrl+z ctrl+s
expect_points "$name" 1
keys ctrl+y ctrl+y ctrl+s
expect_points "$name" 3

click 200 250
click 250 120          # selects the second point again
drag 300 280 15 -10    # the edit tool moves the selected point wherever the drag starts
click 45 278           # the height layout
drag 450 480 0 -25     # raises the selected point in the developed side view
sleep 3 # the copy follows within two seconds
copy=$(ls Recovery-*.cus)
head -c $((40 + 4 * 124)) "$copy" >edited.cus
kill -9 $app
wait $app 2>/dev/null || true
sleep 0.5
e2e_start_designer
wait_window Message 10 >/dev/null || { echo "no question about the recovery copy"; exit 1; }
sleep 0.3
xdotool key Return
window_gone Message
keys ctrl+s
cmp "$name" edited.cus || { echo "the restored course, saved, differs from the edited one"; exit 1; }
[ ! -e "$copy" ] || { echo "the old copy was left behind"; exit 1; }

click 330 250
file_menu 1
wait_window Message 10 >/dev/null || { echo "no save prompt"; exit 1; }
sleep 0.3
xdotool key alt+n
window_gone Message
e2e_save_as "$run/discarded.cus"
expect_points discarded.cus 0
e2e_close_designer
[ -z "$(ls Recovery-* 2>/dev/null)" ] || { echo "a clean end left a copy or a lock"; exit 1; }

expect_points "$name" 4
# Point $1's x, y or z (coordinate $2: 0, 1, 2).
at() { real_at "$name" $((40 + 124 * $1 + 20 * $2)); }
calc() { awk "BEGIN { printf \"%.17g\", $1 }"; }
same() {
    awk -v a="$1" -v b="$2" -v what="$3" \
        'BEGIN { if (a - b > 1e-6 || b - a > 1e-6) { print what ": " a " != " b; exit 1 } }'
}
# A click lands 1/zoom world units per pixel from the view's centre, screen up being +z
# (the window tests prove where clicks land); the layout has rescaled the zoom, so the
# scale is read off the two points 200 pixels apart that nothing moved. The drag moved the
# second point 0.8 units per pixel whatever the zoom: x by 0.8 * 15, z by 0.8 * 10.
scale=$(calc "($(at 2 0) - $(at 0 0)) / 200")
same "$(calc "$(at 1 0) - $(at 0 0)")" "$(calc "100 * $scale + 12")" "x of point 1"
same "$(calc "$(at 1 2) - $(at 0 2)")" "$(calc "-20 * $scale + 8")" "z of point 1"
# Only the second point was raised: 0.8 units per pixel of the 25-pixel drag upwards.
for point in 0 1 2 3; do
    same "$(at $point 1)" "$([ $point -eq 1 ] && echo 20 || echo 0)" "height of point $point"
done
e2e_no_error_log
echo "editing session passed"
