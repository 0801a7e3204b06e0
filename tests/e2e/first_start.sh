#!/bin/sh
# First start in an empty start directory: the window opens at the classic default
# placement, (100, 100) to (300, 200); closing it writes the placement; a stored maximised
# state starts the window maximised and survives the next close.
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

e2e_start_designer
# The window's place and size as the X server has them, "X,Y WxH".
got=$(xdotool getwindowgeometry "$window" |
    awk '/Position:/ { p = $2 } /Geometry:/ { g = $2 } END { print p " " g }')
[ "$got" = "100,100 200x100" ] || { echo "the window is at $got, expected 100,100 200x100"; exit 1; }
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

echo "first start passed"
