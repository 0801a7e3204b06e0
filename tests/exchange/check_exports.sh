#!/bin/sh
# Exports the sample course, the test courses of every kind (open and closed, flat,
# banked and climbing, 2 to 256 points) and random courses of each kind the generator
# makes as .glb, .gltf and .obj. The Khronos glTF validator, installed from npm into
# RUNDIR, must report no error or warning on the glTF files, and assimp must load all
# three with two triangles for each face of the course's .cob and the .cob's bounds,
# mapped to the exchange axes (all but the coincident loop, whose road has no area, so
# that assimp drops it). A one-point course has no road, and every export refuses it.
# Usage: check_exports.sh VELMORA_CLI MAKE_RANDOM_COURSE SOURCE_DIR RUNDIR
set -eu
cli=$1 random=$2 source=$3 run=$4
mkdir -p "$run"
cd "$run"
[ -d node_modules/gltf-validator ] ||
    npm install --no-audit --no-fund --no-save gltf-validator@2.0.0-dev.3.10 >npm.log 2>&1 ||
    { cat npm.log; exit 1; }

# The .cob's world vertices (x, z, y) as the exchange axes' bounds, and twice its faces.
expected() {
    awk '{ sub(/\r$/, "") }
         /^World Vertices/ { n = $3; next }
         n > 0 { x = $1; y = $3; z = -$2; n--
                 if (!seen++) { lx = hx = x; ly = hy = y; lz = hz = z }
                 lx = x < lx ? x : lx; hx = x > hx ? x : hx; ly = y < ly ? y : ly
                 hy = y > hy ? y : hy; lz = z < lz ? z : lz; hz = z > hz ? z : hz }
         /^Faces/ { faces = $2 }
         END { printf "%d %.9g %.9g %.9g %.9g %.9g %.9g\n", faces * 2, lx, ly, lz, hx, hy, hz }' "$1"
}

# What assimp reads: faces, then the minimum and maximum points.
read_back() {
    assimp info "$1" | awk '/^Faces:/ { f = $2 }
        /^Minimum point/ { gsub(/[()]/, ""); lo = $3 " " $4 " " $5 }
        /^Maximum point/ { gsub(/[()]/, ""); hi = $3 " " $4 " " $5 }
        END { print f, lo, hi }'
}

# Equal counts, and bounds within the rounding of single precision and of six decimals.
agrees() {
    echo "$1 $2" | awk '{ ok = $1 == $8; for (i = 2; i <= 7; i++) {
        d = $i - $(i + 7); if (d < 0) d = -d; if (d > 1e-5 + 1e-6 * ($i < 0 ? -$i : $i)) ok = 0 }
        exit !ok }'
}

mkdir -p random
for kind in open closed banked one-point many; do
    for seed in 1 2 3; do
        "$random" $kind $seed random/$kind-$seed.cus
    done
done
for format in glb gltf obj json cob; do
    if "$cli" export random/one-point-1.cus lone.$format 2>/dev/null || [ -e lone.$format ]; then
        echo "a one-point course exported as .$format"
        exit 1
    fi
done

set --
: >refused.log
status=0
for course in "$source/resources/samples/circuit.cus" "$source"/tests/data/views/*/course.cus \
    random/open-*.cus random/closed-*.cus random/banked-*.cus random/many-*.cus; do
    name=$(basename "$course" .cus)
    [ "$name" = course ] && name=$(basename "$(dirname "$course")")
    "$cli" export "$course" "$name.cob" 2>>refused.log || continue
    want=$(expected "$name.cob")
    for format in glb gltf obj; do
        "$cli" export "$course" "$name.$format" 2>>refused.log || continue
        [ "$format" = obj ] || set -- "$@" "$name.$format"
        [ "$name" = coincident-loop ] && continue
        got=$(read_back "$name.$format")
        agrees "$want" "$got" || { echo "$name.$format: assimp reads $got, the .cob gives $want"; status=1; }
    done
done
[ $# -ge 70 ] || { echo "only $# glTF exports"; cat refused.log; exit 1; }
node "$source/tests/exchange/validate_gltf.js" "$@" || status=1
exit $status
