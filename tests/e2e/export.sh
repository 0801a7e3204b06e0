#!/bin/sh
# Export through the dialog: a course clicked into the top view is saved in one folder and
# exported in another. The exported mesh must equal what velmora-cli makes of the saved
# course, and each dialog must come back to its own folder: a bare file name typed the
# second time lands beside the first file of the same dialog.
# Usage: export.sh VELMORA XHELPER VELMORA-CLI RUNDIR
set -eu
velmora=$1 xhelper=$2 cli=$3 run=$4
. "$(dirname "$0")/lib.sh"
e2e_start_directory
mkdir courses meshes
e2e_start_x 2300
e2e_start_designer

# Save As or Export, then a name typed into the dialog.
file_dialog() { file_menu "$1"; save_dialog "$2"; }
ini() { tr -d '\r' <Settei.ini | awk -F= -v s="[$1]" -v k="$2" \
    '/^\[/ { in_s = ($0 == s) } in_s && $1 == k { print substr($0, length(k) + 2) }'; }

# Four points in the top view, the top-left quarter right of the panel.
click 150 100
click 300 110
click 330 250
click 160 230
file_dialog 3 "$run/courses/course.cus"
file_dialog 4 "$run/meshes/course.cob"
# A fifth point, then both dialogs again with bare names.
click 250 180
file_dialog 3 "second.cus"
file_dialog 4 "second.cob"
"$xhelper" shot exported.png 0 0 800 600
e2e_close_designer

for file in courses/course.cus meshes/course.cob courses/second.cus meshes/second.cob; do
    test -s "$file" || { echo "$file was not written"; ls -R; exit 1; }
done
[ "$(stat -c %s courses/second.cus)" -eq $((40 + 5 * 124)) ] ||
    { echo "the second course does not hold five points"; exit 1; }

# The designer's mesh and the command-line tool's, each from the course as saved.
for name in course second; do
    "$cli" export-cob "courses/$name.cus" "cli-$name.cob"
    cmp "meshes/$name.cob" "cli-$name.cob" || { echo "$name.cob differs from velmora-cli's"; exit 1; }
done
cmp -s meshes/course.cob meshes/second.cob && { echo "the fifth point changed no mesh"; exit 1; }

# Each dialog keeps its own folder in Settei.ini.
[ "$(ini CourseFileSave LoadFileDir)" = "$run/courses" ] ||
    { echo "the save dialog's folder was not kept"; cat Settei.ini; exit 1; }
[ "$(ini CobFileSave LoadFileDir)" = "$run/meshes" ] ||
    { echo "the export dialog's folder was not kept"; cat Settei.ini; exit 1; }
echo "export passed"
