#!/bin/sh
# A person's editing session under Xvfb with real X input: four points clicked into the
# top view, one of them dragged, the height layout chosen, that point raised in the
# developed side view, the course saved through the dialog. The saved file must hold
# exactly those edits.
# Usage: edit_course.sh VELMORA XHELPER RUNDIR
set -eu
velmora=$1 xhelper=$2 run=$3
. "$(dirname "$0")/lib.sh"
e2e_start_directory
e2e_start_x 500
e2e_start_designer

# The top view is the top-left quarter right of the 91-pixel panel.
click 150 100
click 250 120
click 350 200
click 200 250
click 250 120          # selects the second point again
drag 300 280 15 -10    # the edit tool moves the selected point wherever the drag starts
"$xhelper" shot shape.png 0 0 800 600

click 45 278           # the height layout
drag 450 480 0 -25     # raises the selected point in the developed side view
"$xhelper" shot height.png 0 0 800 600

e2e_save_as "$run/edited.cus"

e2e_close_designer

test -f edited.cus || { echo "the course was not saved"; exit 1; }
size=$(stat -c %s edited.cus)
[ "$size" -eq $((40 + 4 * 124)) ] || { echo "expected 4 points, file has $size bytes"; exit 1; }
x() { point_x edited.cus "$1"; }
y() { point_y edited.cus "$1"; }
z() { point_z edited.cus "$1"; }
# A click lands 1/zoom world units per pixel from the view's centre, screen up being +z;
# the layout has rescaled the zoom, so the scale is read off the two points 200 pixels
# apart that nothing moved. The drag moved the second point 0.8 units per pixel whatever
# the zoom: x by 0.8 * 15, z by 0.8 * 10.
scale=$(calc "($(x 2) - $(x 0)) / 200")
same "$(calc "$(x 1) - $(x 0)")" "$(calc "100 * $scale + 12")" "x of point 1"
same "$(calc "$(z 1) - $(z 0)")" "$(calc "-20 * $scale + 8")" "z of point 1"
same "$(calc "$(z 2) - $(z 0)")" "$(calc "-100 * $scale")" "z of point 2"
same "$(calc "$(x 3) - $(x 0)")" "$(calc "50 * $scale")" "x of point 3"
same "$(calc "$(z 3) - $(z 0)")" "$(calc "-150 * $scale")" "z of point 3"
# Only the second point was raised: 0.8 units per pixel of the 25-pixel drag upwards.
same "$(y 0)" 0 "height of point 0"
same "$(y 1)" 20 "height of point 1"
same "$(y 2)" 0 "height of point 2"
same "$(y 3)" 0 "height of point 3"
echo "editing session passed"
