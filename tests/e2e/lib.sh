# Shared by the end-to-end scenarios: an X server of their own, the designer started in
# a fresh start directory, real input through xdotool, and readers for the course file.
# A scenario runs as SCRIPT VELMORA XHELPER [ARGUMENTS] RUNDIR and sources this first.
set -eu
velmora=$1 xhelper=$2
eval "run=\${$#}"
texture="$(cd "$(dirname "$0")/../.." && pwd)/resources/Texture.bmp"

# An Xvfb display of 16 bits on a free display number, ended when the script ends.
e2e_start_x() {
    Xvfb -displayfd 3 -screen 0 1024x768x16 -nolisten tcp 3>"$run/display" >"$run/xvfb.log" 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -s "$run/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$run/display")"
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

# Waits up to $2 seconds for a shown window titled exactly $1 and prints its id.
wait_window() {
    found=$(timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$found" ] && echo "$found"
}

# Starts the designer with the given arguments and waits for its window.
e2e_start_designer() {
    "$velmora" "$@" >velmora.log 2>&1 &
    app=$!
    window=$(wait_window VelmoraV1.0 20)
    sleep 1
}

# The designer in a fresh start directory with the road's texture, its window filling
# 800 x 600 at the screen's top left, so the panel's buttons and the views' slots lie at
# known places below the menu bar.
e2e_begin() {
    rm -rf "$run" && mkdir -p "$run" && cd "$run"
    cp "$texture" Texture.bmp
    printf '[MainWindow]\r\nLeft=0\r\nTop=0\r\nRight=800\r\nBottom=600\r\n' >Settei.ini
    e2e_start_x
    e2e_start_designer "$@"
}

# Asks the window to close as a window manager would and waits up to ten seconds for the
# program to end.
e2e_close_designer() {
    "$xhelper" close "$window"
    timeout 10 tail --pid=$app -f /dev/null || { echo "the designer did not end"; kill $app; exit 1; }
    wait $app
}

e2e_no_error_log() {
    if [ -e ErrorLog.err ]; then echo "the designer reported a fault"; cat ErrorLog.err; exit 1; fi
}

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }

# A left drag from (x, y) by (dx, dy) in one move, as a quick hand makes it.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1; sleep 0.2
    xdotool mousemove_relative -- "$3" "$4"; sleep 0.2
    xdotool mouseup 1; sleep 0.3
}

# A double and an int32 of a course file at a byte offset; the number of its points.
real_at() { od -A n -t f8 -j "$2" -N 8 "$1" | tr -d ' '; }
points() { od -A n -t d4 -j 36 -N 4 "$1" | tr -d ' '; }

# Chooses entry $1 of the File menu (1 New, 2 Open, 3 Save, 4 Save As, 5 Export) with the
# keyboard.
file_menu() {
    click 15 8
    i=0
    while [ $i -lt "$1" ]; do xdotool key Down; i=$((i + 1)); done
    xdotool key Return; sleep 0.3
}

# Waits until no window titled $1 is left, for a dialog answered a moment ago.
window_gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null || return 0
        sleep 0.2
    done
    echo "the window \"$1\" stayed"; exit 1
}

# The save dialog's title: the toolkit's dialogs speak Japanese.
save_title="名前を付けて保存"

# Types the name into the save dialog that shows now and answers it with Return.
type_file_name() {
    wait_window "$save_title" 10 >/dev/null || { echo "no save dialog"; exit 1; }
    sleep 0.3
    xdotool type --delay 20 "$1"
    xdotool key Return
}

# File > Save As, then the name typed into the save dialog.
e2e_save_as() {
    file_menu 4
    type_file_name "$1"
    window_gone "$save_title"
    sleep 0.3
}
