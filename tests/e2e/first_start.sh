#!/bin/sh
# First start in an empty start directory: the window opens at the classic default
# placement, (100, 100) to (300, 200); closing it writes the placement; a stored maximised
# state starts the window maximised and survives the next close; a stored placement far
# beyond the screen is fitted to it, and the designer stays small.
# Usage: first_start.sh VELMORA XHELPER RUNDIR
. "$(dirname "$0")/lib.sh"
# No Settei.ini at all: the designer must make do with its defaults.
rm -rf "$run" && mkdir -p "$run" && cd "$run"
e2e_start_x

# A value of Settei.ini; the placement it holds, "Left,Top,Right,Bottom ShowCmd".
ini_value() {
    awk -v key="$1" '{ sub(/\r$/, "") } index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' Settei.ini
}
stored() { echo "$(ini_value Left),$(ini_value Top),$(ini_value Right),$(ini_value Bottom) $(ini_value ShowCmd)"; }
expect_stored() { [ "$(stored)" = "$1" ] || { echo "Settei.ini holds $(stored), expected $1"; exit 1; }; }

# The window's place and size as the X server has them, "X,Y WxH".
expect_placement() {
    got=$(xdotool getwindowgeometry "$window" |
        awk '/Position:/ { p = $2 } /Geometry:/ { g = $2 } END { print p " " g }')
    [ "$got" = "$1" ] || { echo "$2: the window is at $got, expected $1"; exit 1; }
}
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$app/status"; }

e2e_start_designer
small_kb=$(resident_kb)
expect_placement "100,100 200x100" "first start"
e2e_close_designer
expect_stored "100,100,300,200 1"

# A stored maximised state: the display has no window manager to enlarge the window, so
# what is checked is that the window asks one to, in both directions. Closing it keeps its
# normal placement for the day it is restored.
sed -i 's/^ShowCmd=1/ShowCmd=3/' Settei.ini
e2e_start_designer
state=$(xprop -id "$window" _NET_WM_STATE)
case $state in *_NET_WM_STATE_MAXIMIZED_HORZ*) ;; *) echo "not maximised: $state"; exit 1 ;; esac
case $state in *_NET_WM_STATE_MAXIMIZED_VERT*) ;; *) echo "not maximised: $state"; exit 1 ;; esac
e2e_close_designer
expect_stored "100,100,300,200 3"

# Plausible numbers, yet the window they give would take gigabytes of view surfaces. The
# window fits the 1024 x 768 screen, and the designer is within a few tens of megabytes
# of its size in the small window (measured so, since a sanitizer build is larger).
printf '[MainWindow]\r\nLeft=0\r\nTop=0\r\nRight=100000\r\nBottom=100000\r\n' >Settei.ini
e2e_start_designer
expect_placement "0,0 1024x768" "a placement beyond the screen"
grown_kb=$(( $(resident_kb) - small_kb ))
[ "$grown_kb" -lt 51200 ] || { echo "the designer took $grown_kb kB more than in a small window"; exit 1; }
e2e_close_designer

echo "first start passed"
