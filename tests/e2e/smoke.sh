#!/bin/sh
# The real designer under Xvfb with real X input: it starts, its window appears with its
# title, a click on a tool button changes the panel, and a close request as a window
# manager sends it ends the program and writes Settei.ini.
# It leaves designer.png, the window with the sample course, a picture of each layout and
# one of the height layout with the textured road in RUNDIR.
# Usage: smoke.sh VELMORA XHELPER SAMPLE RUNDIR
set -eu
velmora=$1 xhelper=$2 sample=$3 run=$4
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"
. "$(dirname "$0")/lib.sh"
e2e_start_directory
cp "$texture" Texture.bmp
e2e_start_x 100
e2e_start_designer "$sample"
"$xhelper" shot before.png
"$xhelper" shot designer.png 0 0 800 600

# The sample-count tool sits 22 to 44 pixels below the top of the panel, which starts
# under the menu bar; y = 60 lands on it for any menu bar 17 to 38 pixels high.
xdotool mousemove --window "$window" 45 60 click 1
sleep 1
"$xhelper" shot after.png
cmp -s before.png after.png && { echo "the panel did not change"; exit 1; }

# Each layout button, 22 pixels apart from 228 pixels below the panel's top; the pictures
# are the README's.
for layout in shape:257 height:279 width:301 roll:323; do
    xdotool mousemove --window "$window" 45 "${layout#*:}" click 1
    sleep 1
    "$xhelper" shot "layout-${layout%:*}.png" 0 0 800 600
done

# The height layout's perspective view sits right of the top view, from x = 91 + 354; its
# texture button is the second of the bar along its top, one pixel below the menu bar, so
# y = 35 lands on it for any menu bar 13 to 34 pixels high.
xdotool mousemove --window "$window" 45 279 click 1
sleep 1
xdotool mousemove --window "$window" 478 35 click 1
sleep 1
"$xhelper" shot layout-height-texture.png 0 0 800 600
cmp -s layout-height.png layout-height-texture.png && { echo "the texture button changed nothing"; exit 1; }

e2e_close_designer
grep -q '^\[MainWindow\]' Settei.ini || { echo "Settei.ini was not written"; exit 1; }
grep -q '^ShowCmd=1' Settei.ini
grep -q '^Right=800' Settei.ini
if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
echo "smoke test passed"
