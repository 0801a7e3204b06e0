#!/bin/sh
# Height and width editing on the sample course, whose fourth point is selected with the
# first side: in the height layout a drag up in the developed side view raises the point,
# in the width layout a drag left in the developed top view widens its first side. Then
# the first point is selected in the side view and its height handle bent upwards, and in
# the top view its second side is selected and widened. The saved file must differ from
# the sample only in those edits and in the automatic tangents they recompute.
# Usage: height_width.sh VELMORA XHELPER SAMPLE RUNDIR
set -eu
velmora=$1 xhelper=$2 sample=$3 run=$4
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"
. "$(dirname "$0")/lib.sh"
e2e_start_directory
cp "$texture" Texture.bmp
e2e_start_x 3500
e2e_start_designer "$sample"
round() { awk "BEGIN { v = $1; printf \"%d\", v < 0 ? v - 0.5 : v + 0.5 }"; }

click 45 279           # the height layout: the developed side view fills the bottom half
drag 450 480 0 -25     # 0.8 units per pixel: the selected point rises by 20
click 45 301           # the width layout: the developed top view fills the top right half
drag 620 200 -10 0     # moving left widens the first side by 0.8 units per pixel: 8
"$xhelper" shot width.png 0 0 800 600

# The side view is centred on the first point, at the start of the course and height 0.
# The zoom tool clamps the zoom at 0.01 and then raises it 0.01 a pixel to exactly 1, so
# the height handle's ends lie 0.3 handle lengths from the point in pixels.
click 45 279
click 446 454          # selects the first point
click 45 149           # the zoom tool
drag 300 350 0 200
drag 300 550 0 -99
click 45 29            # the edit tool
e2e_save_as "$run/selected.cus"
test -f selected.cus || { echo "the selection was not saved"; exit 1; }
[ "$(int_at selected.cus 0)" -eq 0 ] || { echo "the first point was not selected"; exit 1; }
hx=$(real_at selected.cus 48) hy=$(real_at selected.cus 68) hz=$(real_at selected.cus 88)
click "$(round "446 + 0.3 * sqrt($hx * $hx + $hz * $hz)")" "$(round "454 - 0.3 * $hy")"
drag 300 550 0 -10     # the handle end ahead rises: the y tangent grows by 8 and is fixed
click 45 301
click 631 309          # the first point's second side
drag 620 200 10 0      # moving right widens the second side by 0.8 units per pixel: 8
"$xhelper" shot bent.png 0 0 800 600
e2e_save_as "$run/shaped.cus"
e2e_close_designer

test -f shaped.cus || { echo "the course was not saved"; exit 1; }
height=$((40 + 124 * 3 + 20)) width=$((40 + 124 * 3 + 80)) widthB=$((40 + 100))
same "$(real_at shaped.cus $height)" "$(calc "$(real_at "$sample" $height) + 20")" "height of point 3"
same "$(real_at shaped.cus $width)" "$(calc "$(real_at "$sample" $width) + 8")" "width of point 3"
same "$(real_at shaped.cus $widthB)" "$(calc "$(real_at "$sample" $widthB) + 8")" \
    "second width of point 0"
# The bent handle fixes the y and z tangents of the first point; x stays automatic.
same "$(real_at shaped.cus 68)" "$(calc "$hy + 8")" "y tangent of point 0"
same "$(real_at shaped.cus 88)" "$hz" "z tangent of point 0"
[ "$(int_at shaped.cus 56)-$(int_at shaped.cus 76)-$(int_at shaped.cus 96)" = 2-3-3 ] ||
    { echo "the first point's tangent properties are wrong"; exit 1; }
[ "$(int_at shaped.cus 0)-$(int_at shaped.cus 4)-$(int_at shaped.cus 8)" = 0-0-1 ] ||
    { echo "the first point's second side is not selected"; exit 1; }

# Everything else is byte for byte the sample's, but for the selection and the automatic
# tangents the edits recompute: heights, widths, and the z tangents, which fixing one
# recomputes down to the last bit.
n=$(int_at "$sample" 36)
ranges="0:12 $height:8 $width:8 $widthB:8 76:4 96:4"
i=0
while [ $i -lt "$n" ]; do
    record=$((40 + 124 * i))
    ranges="$ranges $((record + 28)):8 $((record + 48)):8 $((record + 88)):8 $((record + 108)):8"
    i=$((i + 1))
done
# shellcheck disable=SC2086
e2e_masked "$sample" expected.bin $ranges
# shellcheck disable=SC2086
e2e_masked shaped.cus actual.bin $ranges
cmp expected.bin actual.bin || { echo "fields other than the height and width changed"; exit 1; }
if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
echo "height and width editing passed"
