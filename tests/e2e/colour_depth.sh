#!/bin/sh
# A display of the wrong colour depth: the designer shows its refusal, and once the person
# answers it the program ends with status 0, leaving the start directory as it was.
# Usage: colour_depth.sh VELMORA XHELPER RUNDIR
. "$(dirname "$0")/lib.sh"
rm -rf "$run" && mkdir -p "$run/start" && cd "$run"
# A start directory as the designer's own start leaves it, with the road's texture: a
# missing texture is reported in the error log before the depth is looked at.
cp "$texture" start/Texture.bmp
e2e_start_x

# The program runs in a start directory of its own, so the X server's log and the
# program's output stay out of what is checked.
(cd start && VELMORA_COLOR_BITS=24 exec "$velmora") >velmora.log 2>&1 &
app=$!
"$xhelper" wait Error 10 >/dev/null || { echo "no refusal message"; kill $app; exit 1; }
sleep 0.5
xdotool key Return
e2e_wait_end
status=0
wait $app || status=$?
[ "$status" -eq 0 ] || { echo "the designer ended with status $status"; exit 1; }
# Neither settings nor an error log: the refusal is no fault, and no window was placed.
written=$(ls -A start | grep -vx Texture.bmp || true)
[ -z "$written" ] || { echo "the designer wrote: $written"; exit 1; }
cmp -s "$texture" start/Texture.bmp || { echo "the texture was changed"; exit 1; }
echo "colour depth refusal passed"
