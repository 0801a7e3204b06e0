#!/bin/sh
# The perspective view on the sample course, whose camera sits a quarter into the first
# segment: a 100-pixel drag up in the view moves the camera half a segment forward
# (0.005 of a segment per pixel) and changes the picture; the texture button changes it
# again and the wireframe button brings the wireframe picture back. The saved file must
# differ from the sample only in the camera's place.
# Usage: perspective.sh VELMORA XHELPER SAMPLE RUNDIR
set -eu
velmora=$1 xhelper=$2 sample=$3 run=$4
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"
. "$(dirname "$0")/lib.sh"
e2e_start_directory
cp "$texture" Texture.bmp
e2e_start_x 3900
e2e_start_designer "$sample"

click 45 279           # the height layout: the perspective view is the top right quarter
view="446 41 354 268"  # the view below its button bar
# shellcheck disable=SC2086
"$xhelper" shot start.png $view
drag 620 250 0 -100
# shellcheck disable=SC2086
"$xhelper" shot moved.png $view
cmp -s start.png moved.png && { echo "the drag did not move the camera"; exit 1; }
click 478 35           # the texture button
xdotool mousemove 300 450; sleep 0.5
# shellcheck disable=SC2086
"$xhelper" shot texture.png $view
cmp -s moved.png texture.png && { echo "the texture button changed nothing"; exit 1; }
click 456 35           # the wireframe button
xdotool mousemove 300 450; sleep 0.5
# shellcheck disable=SC2086
"$xhelper" shot wireframe.png $view
cmp -s moved.png wireframe.png || { echo "the wireframe picture did not come back"; exit 1; }
e2e_save_as "$run/moved.cus"
e2e_close_designer

test -f moved.cus || { echo "the course was not saved"; exit 1; }
[ "$(int_at moved.cus 24)" -eq "$(int_at "$sample" 24)" ] || { echo "camera segment changed"; exit 1; }
same "$(real_at moved.cus 28)" "$(calc "$(real_at "$sample" 28) + 0.5")" "camera t"
e2e_masked "$sample" expected.bin 24:12
e2e_masked moved.cus actual.bin 24:12
cmp expected.bin actual.bin || { echo "fields other than the camera changed"; exit 1; }
if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
echo "perspective view passed"
