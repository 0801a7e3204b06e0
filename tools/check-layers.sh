#!/bin/sh
# Fails on an include that climbs a layer of src/ (or leaves the layers for the tests):
#   base <- platform <- model, render <- views, exchange <- app
# with platform/qt, the only code that includes Qt, and the window API it implements
# (platform/Windows.h, Dialogs.h, Desktop.h, Application.h, Text.h) used by app alone;
# cli uses the Qt-free layers. Prints each offending include as FILE:LINE: INCLUDE.
# Usage: check-layers.sh [SOURCE_DIR]
set -eu
cd "${1:-$(dirname "$0")/..}/src"

# The folders each folder may include from, besides its own.
allowed() {
    case $1 in
    base) echo "" ;;
    platform) echo "base" ;;
    window) echo "base platform" ;;
    model | render) echo "base platform" ;;
    views | exchange) echo "base platform model render" ;;
    cli) echo "base platform model render views exchange" ;;
    platform/qt) echo "base platform window" ;;
    app) echo "base platform window model render views exchange" ;;
    esac
}

# The layer an included path belongs to; the window API is a layer of its own.
layer_of() {
    case $1 in
    platform/qt/*) echo platform/qt ;;
    platform/Windows.h | platform/Dialogs.h | platform/Desktop.h | platform/Application.h | \
        platform/Text.h) echo window ;;
    *) echo "${1%%/*}" ;;
    esac
}

status=0
for file in $(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort); do
    folder=${file%/*}
    own=$(layer_of "$file")
    # The window API's headers include one another.
    [ "$own" = window ] && folder=window
    grep -n '^#include' "$file" | while IFS= read -r line; do
        number=${line%%:*}
        included=${line#*:#include }
        case $included in
        \<Q*)
            [ "$folder" = platform/qt ] || echo "$file:$number: Qt outside platform/qt: $included"
            continue
            ;;
        \"*) included=${included#\"} included=${included%\"} ;;
        *) continue ;;
        esac
        target=$(layer_of "$included")
        [ "$target" = "$folder" ] && continue
        case " $(allowed "$folder") " in
        *" $target "*) ;;
        *) echo "$file:$number: $folder may not include $included" ;;
        esac
    done
done | { grep . && exit 1 || exit 0; } || status=1
exit $status
