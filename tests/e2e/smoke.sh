#!/bin/sh
# The README's screenshots, taken of the real designer under Xvfb with real X input: it
# leaves designer.png, the window with the sample course, a picture of each layout and one
# of the height layout with the textured road in RUNDIR, and must end without a fault.
# Usage: smoke.sh VELMORA XHELPER SAMPLE RUNDIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$3"
"$xhelper" shot designer.png 0 0 800 600

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

e2e_close_designer
e2e_no_error_log
echo "smoke test passed"
