#!/bin/sh
# A closed course built from an empty one with real X input: eight points clicked into the
# top view, two of them dragged, a handle end dragged and then freed with a right click, a
# point deleted, the loop turned on, one point's sample count raised with the sample tool
# and the width scaled with the width tool. The saved file must hold exactly those edits.
# Usage: closed_course.sh VELMORA XHELPER RUNDIR
set -eu
velmora=$1 xhelper=$2 run=$3
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"
. "$(dirname "$0")/lib.sh"
e2e_start_directory
cp "$texture" Texture.bmp
e2e_start_x 4300
e2e_start_designer

rclick() { xdotool mousemove "$1" "$2" click 3; sleep 0.3; }
record() { echo $((40 + 124 * $1 + $2)); }
# Point $2's quantity block $3 (0 x, 1 y, 2 z) in file $1: value, tangent and property.
value() { real_at "$1" "$(record "$2" $((20 * $3)))"; }
tangent() { real_at "$1" "$(record "$2" $((20 * $3 + 8)))"; }
property() { int_at "$1" "$(record "$2" $((20 * $3 + 16)))"; }
samples() { int_at "$1" "$(record "$2" 120)"; }
expect() { [ "$2" = "$3" ] || { echo "$1: $2, expected $3"; exit 1; }; }
round() { awk "BEGIN { v = $1; printf \"%d\", v < 0 ? v - 0.5 : v + 0.5 }"; }

# Eight points round the top view (the top-left quarter right of the 91-pixel panel).
set -- 170 70  270 60  370 75  410 160  370 250  270 270  170 255  130 160
xs="" ys=""
while [ $# -gt 0 ]; do click "$1" "$2"; xs="${xs:+$xs }$1" ys="${ys:+$ys }$2"; shift 2; done
sx() { echo "$xs" | cut -d' ' -f$(($1 + 1)); }
sy() { echo "$ys" | cut -d' ' -f$(($1 + 1)); }

# The edit tool moves the selected point 0.8 units per pixel wherever the drag starts.
click 270 60
drag 300 160 12 -8
click 270 270
drag 300 160 -10 6

# The handle ends lie 0.3 handle lengths either side of the selected point. The zoom is
# read off two points 200 pixels apart that nothing moved, the handle off the saved file.
click 410 160
e2e_save_as "$run/points.cus"
test -f points.cus || { echo "the points were not saved"; exit 1; }
expect "points clicked" "$(int_at points.cus 36)" 8
scale=$(calc "($(value points.cus 2 0) - $(value points.cus 0 0)) / 200")
hx=$(tangent points.cus 3 0) hz=$(tangent points.cus 3 2)
endx=$(round "410 + 0.3 * $hx / $scale") endy=$(round "160 - 0.3 * $hz / $scale")
click "$endx" "$endy"  # grips the forward end
drag 300 160 10 15     # the handle grows 0.8 units per pixel and becomes fixed
e2e_save_as "$run/handle.cus"
test -f handle.cus || { echo "the handle was not saved"; exit 1; }
same "$(tangent handle.cus 3 0)" "$(calc "$hx + 8")" "x handle of point 3"
same "$(tangent handle.cus 3 2)" "$(calc "$hz - 12")" "z handle of point 3"
expect "x handle property" "$(property handle.cus 3 0)" 3
expect "y handle property" "$(property handle.cus 3 1)" 2
expect "z handle property" "$(property handle.cus 3 2)" 3

# A right click on the moved handle end frees it; one on a point deletes the point.
rclick "$(round "410 + 0.3 * ($hx + 8) / $scale")" "$(round "160 - 0.3 * ($hz - 12) / $scale")"
rclick 170 255

click 45 95            # the loop button
click 45 51            # the sample tool: a click selects, a drag down adds a sample a pixel
click 170 70
drag 300 160 0 7
click 45 73            # the width tool: a drag down adds 0.1 to the width scale a pixel
drag 300 160 0 5
"$xhelper" shot closed.png 0 0 800 600
e2e_save_as "$run/closed.cus"
e2e_close_designer

test -f closed.cus || { echo "the course was not saved"; exit 1; }
expect "size" "$(stat -c %s closed.cus)" $((40 + 7 * 124))
expect "point count" "$(int_at closed.cus 36)" 7
expect "loop flag" "$(int_at closed.cus 12)" 1
same "$(real_at closed.cus 16)" 1.5 "width scale"
expect "selected point" "$(int_at closed.cus 0)" 0
# The sixth clicked point is gone, so the seventh and eighth follow the fifth. Each point
# lies where it was clicked, 1 / zoom units per pixel from the first, screen up being +z;
# the dragged ones moved 0.8 units per pixel besides.
i=0
for clicked in 0 1 2 3 4 5 7; do
    dx=0 dz=0
    [ $clicked -eq 1 ] && dx=9.6 dz=6.4
    [ $clicked -eq 5 ] && dx=-8 dz=-4.8
    same "$(calc "$(value closed.cus $i 0) - $(value closed.cus 0 0)")" \
        "$(calc "($(sx $clicked) - 170) * $scale + $dx")" "x of point $i"
    same "$(calc "$(value closed.cus $i 2) - $(value closed.cus 0 2)")" \
        "$(calc "(70 - $(sy $clicked)) * $scale + $dz")" "z of point $i"
    same "$(value closed.cus $i 1)" 0 "height of point $i"
    for axis in 0 1 2; do
        expect "property $axis of point $i" "$(property closed.cus $i $axis)" 2
    done
    expected=10
    [ $i -eq 0 ] && expected=17
    expect "samples of point $i" "$(samples closed.cus $i)" $expected
    i=$((i + 1))
done
if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
echo "closed course passed"
