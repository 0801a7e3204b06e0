#!/bin/sh
# Height and width editing on the sample course, whose fourth point is selected with the
# first side: in the height layout a drag up in the developed side view raises the point,
# in the width layout a drag left in the developed top view widens its first side. The
# saved file must differ from the sample only in that height and width and in the
# automatic tangents the changes recompute.
# Usage: height_width.sh VELMORA XHELPER SAMPLE RUNDIR
set -eu
velmora=$1 xhelper=$2 sample=$3 run=$4
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"
. "$(dirname "$0")/lib.sh"
e2e_start_directory
cp "$texture" Texture.bmp
e2e_start_x 3500
e2e_start_designer "$sample"

click 45 279           # the height layout: the developed side view fills the bottom half
drag 450 480 0 -25     # 0.8 units per pixel: the selected point rises by 20
click 45 301           # the width layout: the developed top view fills the top right half
drag 620 200 -10 0     # moving left widens the first side by 0.8 units per pixel: 8
"$xhelper" shot width.png 0 0 800 600
e2e_save_as "$run/shaped.cus"
e2e_close_designer

test -f shaped.cus || { echo "the course was not saved"; exit 1; }
height=$((40 + 124 * 3 + 20)) width=$((40 + 124 * 3 + 80))
same "$(real_at shaped.cus $height)" "$(calc "$(real_at "$sample" $height) + 20")" "height of point 3"
same "$(real_at shaped.cus $width)" "$(calc "$(real_at "$sample" $width) + 8")" "width of point 3"

# Everything else is byte for byte the sample's, but for the automatic height and first
# width tangents.
n=$(int_at "$sample" 36)
ranges="$height:8 $width:8"
i=0
while [ $i -lt "$n" ]; do
    ranges="$ranges $((40 + 124 * i + 28)):8 $((40 + 124 * i + 88)):8"
    i=$((i + 1))
done
# shellcheck disable=SC2086
e2e_masked "$sample" expected.bin $ranges
# shellcheck disable=SC2086
e2e_masked shaped.cus actual.bin $ranges
cmp expected.bin actual.bin || { echo "fields other than the height and width changed"; exit 1; }
if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
echo "height and width editing passed"
