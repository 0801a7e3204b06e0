#!/bin/sh
# The real designer under Xvfb with real X input: it starts, its window appears with its
# title, a click on a tool button changes the panel, and a close request as a window
# manager sends it ends the program and writes Settei.ini.
# It leaves designer.png, the window with the sample course, a picture of each layout and
# one of the height layout with the textured road in RUNDIR.
# Usage: smoke.sh VELMORA XHELPER SAMPLE RUNDIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$3"
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
[ "$(ini_value ShowCmd MainWindow)-$(ini_value Right MainWindow)" = 1-800 ] ||
    { echo "Settei.ini does not hold the placement"; exit 1; }
e2e_no_error_log
echo "smoke test passed"
