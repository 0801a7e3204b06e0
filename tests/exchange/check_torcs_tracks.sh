#!/bin/sh
# Has TORCS's trackgen build the sample course and random smooth loops, flat and banked
# with unequal sides, and checks each road against the course's (see torcs_track_check.cpp).
# Exit status 77 when TORCS is not installed.
# Usage: check_torcs_tracks.sh TRACK_CHECK MAKE_RANDOM_COURSE SOURCE_DIR RUNDIR
set -eu
check=$1 random=$2 source=$3 run=$4
mkdir -p "$run"
for kind in closed banked; do
    for seed in 1 2 3; do
        "$random" $kind $seed "$run/$kind-$seed.cus"
    done
done
exec "$check" "$source/resources/samples/circuit.cus" "$run"/closed-*.cus "$run"/banked-*.cus
