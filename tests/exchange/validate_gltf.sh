#!/bin/sh
# Exports the sample course and the test courses of every kind (open and closed, flat,
# banked and climbing, 3 to 256 points) as .glb and .gltf and has the Khronos glTF
# validator, installed from npm into RUNDIR, report on each: any error or warning fails.
# Usage: validate_gltf.sh VELMORA_CLI SOURCE_DIR RUNDIR
set -eu
cli=$1 source=$2 run=$3
mkdir -p "$run"
cd "$run"
[ -d node_modules/gltf-validator ] ||
    npm install --no-audit --no-fund --no-save gltf-validator@2.0.0-dev.3.10 >npm.log 2>&1 ||
    { cat npm.log; exit 1; }
set --
: >refused.log
for course in "$source/resources/samples/circuit.cus" "$source"/tests/data/views/*/course.cus; do
    name=$(basename "$(dirname "$course")")
    for format in glb gltf; do
        if "$cli" export "$course" "$name.$format" 2>>refused.log; then set -- "$@" "$name.$format"; fi
    done
done
[ $# -ge 20 ] || { echo "only $# exports"; cat refused.log; exit 1; }
node "$source/tests/exchange/validate_gltf.js" "$@"
