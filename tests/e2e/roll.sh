#!/bin/sh
# Roll editing on the sample course, whose fourth point is selected with a roll of -0.26:
# in the roll layout the dial's handle end is dragged up, lengthening it, then the dial's
# point is dragged down, turning the roll to 0. The saved file must differ from the sample only in that point's roll and roll tangent (now fixed)
# and in the automatic roll tangents the change recomputes.
# Usage: roll.sh VELMORA XHELPER SAMPLE RUNDIR
set -eu
velmora=$1 xhelper=$2 sample=$3 run=$4
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"
. "$(dirname "$0")/lib.sh"
e2e_start_directory
cp "$texture" Texture.bmp
e2e_start_x 3100
e2e_start_designer "$sample"

click 45 323           # the roll layout: the dial fills the bottom-left quarter
# The dial's centre is (268, 454) and its circle's radius 25 pixels in this layout, so
# the point of roll -0.26 sits near (292, 448) and its handle end 6 pixels further out,
# near (298, 445). A 30-pixel drag up on the handle end lengthens it by 0.01 per pixel.
drag 298 445 0 -30
"$xhelper" shot roll-handle.png 0 0 800 600
# Gripping the point again and dragging 26 pixels down turns the roll by 0.26, to 0.
drag 292 448 0 26
"$xhelper" shot roll-turned.png 0 0 800 600
e2e_save_as "$run/rolled.cus"
e2e_close_designer

test -f rolled.cus || { echo "the course was not saved"; exit 1; }
roll=$((40 + 124 * 3 + 60))
same "$(real_at rolled.cus $roll)" 0 "roll of point 3"
same "$(real_at rolled.cus $((roll + 8)))" "$(calc "$(real_at "$sample" $((roll + 8))) + 0.3")" \
    "roll tangent of point 3"
[ "$(int_at rolled.cus $((roll + 16)))" -eq 3 ] || { echo "the roll tangent is not fixed"; exit 1; }

# Everything else is byte for byte the sample's, but for the automatic roll tangents.
n=$(int_at "$sample" 36)
ranges="$roll:20"
i=0
while [ $i -lt "$n" ]; do ranges="$ranges $((40 + 124 * i + 68)):8"; i=$((i + 1)); done
# shellcheck disable=SC2086
e2e_masked "$sample" expected.bin $ranges
# shellcheck disable=SC2086
e2e_masked rolled.cus actual.bin $ranges
cmp expected.bin actual.bin || { echo "fields other than the roll changed"; exit 1; }
if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
echo "roll editing passed"
