#!/bin/sh
# A person's editing session under Xvfb with real X input: four points clicked into the
# top view, one of them dragged, the height layout chosen, that point raised in the
# developed side view, the course saved through the dialog. The saved file must hold
# exactly those edits.
# Usage: edit_course.sh VELMORA XHELPER RUNDIR
. "$(dirname "$0")/lib.sh"
e2e_begin

# The top view is the top-left quarter right of the 91-pixel panel.
click 150 100
click 250 120
click 350 200
click 200 250
click 250 120          # selects the second point again
drag 300 280 15 -10    # the edit tool moves the selected point wherever the drag starts

click 45 278           # the height layout
drag 450 480 0 -25     # raises the selected point in the developed side view

e2e_save_as "$run/edited.cus"
e2e_close_designer

test -f edited.cus || { echo "the course was not saved"; exit 1; }
[ "$(points edited.cus)" -eq 4 ] && [ "$(stat -c %s edited.cus)" -eq $((40 + 4 * 124)) ] ||
    { echo "expected 4 points in $(stat -c %s edited.cus) bytes"; exit 1; }
# Point $1's x, y or z (coordinate $2: 0, 1, 2).
at() { real_at edited.cus $((40 + 124 * $1 + 20 * $2)); }
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
