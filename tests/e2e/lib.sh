# Shared by the end-to-end scenarios: an X server of their own, the designer started in
# a fresh start directory, real input through xdotool, and readers for the course file.
# Source it after setting velmora, xhelper and run.

# A fresh start directory whose window fills 800 x 600 at the screen's top left, so the
# panel's buttons and the views' slots lie at known places below the menu bar.
e2e_start_directory() {
    rm -rf "$run" && mkdir -p "$run"
    cd "$run"
    printf '[MainWindow]\r\nLeft=0\r\nTop=0\r\nRight=800\r\nBottom=600\r\n' >Settei.ini
}

# An Xvfb display of 16 bits, ended when the script ends.
e2e_start_x() {
    display=":$(( ($$ % 400) + ${1:-100} ))"
    Xvfb "$display" -screen 0 1024x768x16 -nolisten tcp >xvfb.log 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    export DISPLAY="$display"
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

# Starts the designer with the given arguments and waits for its window.
e2e_start_designer() {
    "$velmora" "$@" >velmora.log 2>&1 &
    app=$!
    window=$("$xhelper" wait VelmoraV1.0 20)
    sleep 1
}

# Asks the window to close as a window manager would and waits for the program to end.
e2e_close_designer() {
    "$xhelper" close VelmoraV1.0
    for _ in $(seq 100); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
    if kill -0 $app 2>/dev/null; then echo "the designer did not end"; kill $app; exit 1; fi
    wait $app
}

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }

# A left drag from (x, y) by (dx, dy) in one move, as a quick hand makes it.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1; sleep 0.2
    xdotool mousemove_relative -- "$3" "$4"; sleep 0.2
    xdotool mouseup 1; sleep 0.3
}

# A double of a course file at a byte offset, and the x, y, z of point $2 in file $1.
real_at() { od -A n -t f8 -j "$2" -N 8 "$1" | tr -d ' '; }
point_x() { real_at "$1" $((40 + 124 * $2)); }
point_y() { real_at "$1" $((40 + 124 * $2 + 20)); }
point_z() { real_at "$1" $((40 + 124 * $2 + 40)); }

calc() { awk "BEGIN { printf \"%.17g\", $1 }"; }
same() {
    awk -v a="$1" -v b="$2" -v what="$3" \
        'BEGIN { if (a - b > 1e-6 || b - a > 1e-6) { print what ": " a " != " b; exit 1 } }'
}
