#!/bin/sh
# Undo, redo and save from the keyboard, and the recovery copy after a killed designer, as
# a user meets them: three points clicked, Ctrl+Z, Ctrl+S through the real save dialog
# saves two; Ctrl+Y and Ctrl+S save three to the same file without asking. A fourth point,
# a pause, kill -9; started again in the same folder, the designer asks, Return brings the
# work back, and Ctrl+S saves exactly the course the copy held.
# Usage: undo_recovery.sh VELMORA XHELPER RUNDIR
. "$(dirname "$0")/lib.sh"
e2e_begin

click 150 100
click 250 120
click 350 200
xdotool key ctrl+z; sleep 0.3
xdotool key ctrl+s
"$xhelper" wait "$save_title" 10 >/dev/null || { echo "Ctrl+S showed no save dialog"; exit 1; }
sleep 0.3
xdotool type --delay 20 "$run/undone.cus"
xdotool key Return
window_gone "$save_title"
sleep 0.3
[ "$(points undone.cus)" -eq 2 ] || { echo "after Ctrl+Z: $(points undone.cus) points"; exit 1; }
# With no window manager to hand the focus back once the dialog is gone, it is set here.
xdotool windowfocus --sync "$window"
xdotool key ctrl+y; sleep 0.3
xdotool key ctrl+s; sleep 0.5
[ "$(points undone.cus)" -eq 3 ] || { echo "after Ctrl+Y: $(points undone.cus) points"; exit 1; }

click 200 250
sleep 3 # the copy follows within two seconds
copy=$(ls Recovery-*.cus)
head -c $((40 + 4 * 124)) "$copy" >edited.cus
kill -9 $app
wait $app 2>/dev/null || true
sleep 0.5
e2e_start_designer
"$xhelper" wait Message 10 >/dev/null || { echo "no question about the recovery copy"; exit 1; }
sleep 0.3
xdotool key Return
window_gone Message
xdotool windowfocus --sync "$window"
xdotool key ctrl+s; sleep 0.5
cmp undone.cus edited.cus || { echo "the restored course, saved, differs from the edited one"; exit 1; }
[ ! -e "$copy" ] || { echo "the old copy was left behind"; exit 1; }
e2e_close_designer
[ -z "$(ls Recovery-* 2>/dev/null)" ] || { echo "a clean end left a copy or a lock"; exit 1; }
e2e_no_error_log
echo "undo and recovery passed"
