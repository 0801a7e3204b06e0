#!/bin/sh
# Starts the designer on a course from its own start directory in the build tree, where
# Settei.ini and ErrorLog.err land beside a copy of the help document, the texture and
# the click sound. Without a display it runs the designer under Xvfb instead, saves a
# screenshot once the window has settled, closes the window and prints the screenshot's
# path.
# Usage: run-designer.sh BUILD_DIR COURSE
set -eu
build=$(realpath "$1")
course=$(realpath "$2")
velmora="$build/src/app/velmora"
xhelper="$build/tests/e2e/velmora-xhelper"
run="$build/run"

mkdir -p "$run"
cp -r Help resources/SetButton.wav resources/Texture.bmp "$run/"
cd "$run"
# A roomy window for the first start here; the designer's own default is small.
[ -f Settei.ini ] || printf '[MainWindow]\r\nLeft=40\r\nTop=40\r\nRight=1240\r\nBottom=840\r\n' >Settei.ini

if [ -n "${DISPLAY:-}" ]; then
    exec "$velmora" "$course"
fi

display=":$(( ($$ % 400) + 100 ))"
Xvfb "$display" -screen 0 1280x880x16 -nolisten tcp >xvfb.log 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$velmora" "$course" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^VelmoraV1.0$' | head -n 1)
sleep 2
"$xhelper" shot screenshot.png 0 0 1280 880
"$xhelper" close "$window"
wait $app
echo "No display: ran the designer under Xvfb. Screenshot: $run/screenshot.png"
