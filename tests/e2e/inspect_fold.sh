#!/bin/sh
# A course whose hairpin folds its inner edge, opened from the command line: the inspector
# under the tool panel lists the fold on each side of the hairpin's point in the warnings'
# own colour. A real click on the second selects that point, Return opens its form, and the
# inner half-width typed there ends the fold: the inspector lists no warning any more, and
# Ctrl+S saves to the opened file a course that the command-line check passes. It leaves
# inspector.png, the README's picture of the listed folds, in RUNDIR.
# Usage: inspect_fold.sh VELMORA XHELPER VELMORA_CLI COURSE RUNDIR
. "$(dirname "$0")/lib.sh"
cli=$3
course="$run-course.cus"
cp "$4" "$course"
e2e_begin "$course"

# The inspector: below the panel's 316 pixels of buttons and the menu bar, left of x = 91.
ink="160 0 160"
warning_below() { "$xhelper" find $ink 0 "$1" 91 $((600 - $1)); }
first=$(warning_below 340) || { echo "no warning listed"; exit 1; }
"$xhelper" shot inspector.png 0 0 800 600
second=$(warning_below $((${first#* } + 12))) || { echo "only one warning listed"; exit 1; }
click 30 $((${second#* } + 3))

# With no window manager to hand out the focus, it is set here.
xdotool windowfocus --sync "$window"
xdotool key Return
wait_window "点 2 の値" 10 >/dev/null || { echo "no form for point 2"; exit 1; }
sleep 0.3
# The sixth field is the inner half-width B.
xdotool key Tab Tab Tab Tab Tab ctrl+a
xdotool type 20
xdotool key Return
window_gone "点 2 の値"
sleep 0.5
if warning_below 340 >/dev/null; then echo "a warning is still listed"; exit 1; fi

xdotool windowfocus --sync "$window"
xdotool key ctrl+s
sleep 0.5
"$cli" check "$course" >check.json || { echo "the saved course still warns:"; cat check.json; exit 1; }

e2e_close_designer
e2e_no_error_log
echo "inspect fold test passed"
