#!/bin/sh
# Exports the sample course as .glb and draws it as a client would: three.js (from npm into
# RUNDIR) loads it with its own glTF loader in headless Chromium and draws it from straight
# above with default materials, so that a road wound the wrong way is culled. The course's
# points and every quad of the road must be drawn, the picture far from the points
# background, and the road where the course's centre line puts it. The picture is left in
# RUNDIR/drawn.png.
# Usage: browser_draws_glb.sh VELMORA_CLI SOURCE_DIR RUNDIR
set -eu
cli=$1 source=$2 run=$3
mkdir -p "$run"
cd "$run"
[ -d node_modules/three ] ||
    npm install --prefix . --no-audit --no-fund --no-save three@0.187.0 >npm.log 2>&1 ||
    { cat npm.log; exit 1; }

start=$(date +%s.%N)
rm -f course.glb drawn.png
"$cli" export "$source/resources/samples/circuit.cus" course.glb
"$cli" info "$source/resources/samples/circuit.cus" >info.json
status=0
# Exported at the default scale, 0.01.
node "$source/tests/exchange/draw_glb.js" "$source/tests/exchange" "$run" 0.01 || status=$?
echo "$start $(date +%s.%N)" | awk '{ printf "drawn in %.1f s\n", $2 - $1 }'
exit $status
