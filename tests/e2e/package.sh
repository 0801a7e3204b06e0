#!/bin/sh
# The Debian package on the real system: it is built from the build tree, installed with
# dpkg, and the installed designer is started under Xvfb from an empty start directory.
# The window must appear, the installed defaults must be copied into the start directory,
# and closing the window must write Settei.ini. The package is removed again afterwards,
# so the system is left as it was. Needs root; skipped (status 77) otherwise, and when a
# velmora package is already installed, which this test must not replace.
# Usage: package.sh BUILD_DIR XHELPER RUNDIR
. "$(dirname "$0")/lib.sh"
build=$1

[ "$(id -u)" = 0 ] || { echo "not root: skipped"; exit 77; }
if dpkg-query -W -f='${Status}\n' velmora 2>/dev/null | grep -q ' installed$'; then
    echo "a velmora package is already installed: skipped"
    exit 77
fi

# One package test at a time on this machine: they share the system's package database.
exec 9<"$0"
flock -w 60 9

rm -rf "$run" && mkdir -p "$run/start"
cd "$run"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$run/package" >cpack.log 2>&1 ||
    { cat cpack.log; exit 1; }
deb=$(ls "$run"/package/velmora_*.deb)

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins fonts-ipafont-gothic; do
    case "$depends" in *"$needed"*) ;; *) echo "Depends lacks $needed: $depends"; exit 1 ;; esac
done

e2e_start_x
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    dpkg --purge velmora >"$run/dpkg-purge.log" 2>&1 || cat "$run/dpkg-purge.log"
}
trap cleanup EXIT
dpkg -i "$deb" >dpkg-install.log 2>&1 || { cat dpkg-install.log; exit 1; }

for file in /usr/bin/velmora /usr/bin/velmora-cli /usr/share/applications/velmora.desktop \
    /usr/share/icons/hicolor/48x48/apps/velmora.png /usr/share/velmora/Texture.bmp \
    /usr/share/velmora/SetButton.wav /usr/share/velmora/Help/index.html; do
    [ -f "$file" ] || { echo "the package did not install $file"; exit 1; }
done

cd start
/usr/bin/velmora >../velmora.log 2>&1 &
app=$!
window=$(wait_window VelmoraV1.0 20)
cmp -s Texture.bmp /usr/share/velmora/Texture.bmp || { echo "Texture.bmp was not copied"; exit 1; }
cmp -s SetButton.wav /usr/share/velmora/SetButton.wav ||
    { echo "SetButton.wav was not copied"; exit 1; }
diff -r Help /usr/share/velmora/Help >/dev/null || { echo "Help/ was not copied"; exit 1; }

e2e_close_designer
app=
grep -q '^\[MainWindow\]' Settei.ini || { echo "Settei.ini was not written"; exit 1; }
e2e_no_error_log
echo "package test passed"
