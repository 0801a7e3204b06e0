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

# An int32 of a course file at a byte offset.
int_at() { od -A n -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

# File > Save As, then the full path typed into the dialog.
e2e_save_as() {
    file_menu 3
    save_dialog "$1"
}

# Copies course file $1 to $2 with the byte ranges OFFSET:LENGTH that follow zeroed, so the
# fields an edit may change drop out of a byte comparison of two files.
e2e_masked() {
    cp "$1" "$2"
    masked=$2
    shift 2
    for range in "$@"; do
        dd if=/dev/zero of="$masked" bs=1 seek="${range%:*}" count="${range#*:}" \
            conv=notrunc status=none
    done
}

# Chooses entry $1 of the File menu (1 New, 2 Open, 3 Save As, 4 Export) with the keyboard.
file_menu() {
    click 15 8
    i=0
    while [ $i -lt "$1" ]; do xdotool key Down; i=$((i + 1)); done
    xdotool key Return; sleep 0.3
}

# Waits until no window titled $1 is left, for a dialog answered a moment ago.
window_gone() {
    for _ in $(seq 50); do "$xhelper" wait "$1" 0.05 >/dev/null 2>&1 || return 0; sleep 0.2; done
    echo "the window \"$1\" stayed"; exit 1
}

# The save dialog's title: the toolkit's dialogs speak Japanese.
save_title="名前を付けて保存"

# Waits for the save dialog, types a file name into it and accepts it; with no name given
# the dialog is cancelled instead.
save_dialog() {
    "$xhelper" wait "$save_title" 10 >/dev/null || { echo "no save dialog"; exit 1; }
    sleep 0.3
    if [ $# -gt 0 ]; then xdotool type --delay 20 "$1"; xdotool key Return; else xdotool key Escape; fi
    window_gone "$save_title"
    sleep 0.3
}

# A value of Settei.ini: the first key $1 in section $2.
ini_value() {
    awk -v section="[$2]" -v key="$1" '
        { sub(/\r$/, "") }
        /^\[/ { inside = ($0 == section) }
        inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' Settei.ini
}
