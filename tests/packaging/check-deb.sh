#!/usr/bin/env bash
# Builds the Debian package from a build folder and reads it back with dpkg-deb: the files, the
# Depends dpkg-shlibdeps found, the chip library's shlibs entry, and maintainer scripts that
# reload udev where it runs and never fail where it doesn't.
#   check-deb.sh <build folder> <cpack>
set -euo pipefail
build=$1
cpack=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/zyne-deb-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/vx-zyne-plus-rgb_*.deb)

dpkg-deb -c "$deb" | awk '{print $6 $7 $8}' >"$work/files"
for path in ./usr/bin/vx-zyne-plus-rgb ./usr/bin/vx-zyne-msg \
    ./usr/share/vx-zyne-plus-rgb/Images/background.png ./usr/share/vx-zyne-plus-rgb/Images/keyboard/LINE.png \
    ./usr/share/vx-zyne-plus-rgb/Language/en.qm ./usr/share/vx-zyne-plus-rgb/Language/th.qm \
    ./usr/lib/udev/rules.d/60-vx-zyne-plus-rgb.rules ./usr/share/applications/vx-zyne-plus-rgb.desktop \
    ./usr/share/icons/hicolor/64x64/apps/vx-zyne-plus-rgb.png; do
    grep -qx -- "$path" "$work/files" || fail "$path is not in the package"
done
grep -q '^\./usr/lib/\(.*/\)\?libxqcomm\.so\.1->libxqcomm\.so\.1\.' "$work/files" ||
    fail "libxqcomm.so.1 is not a link to the library"
! grep -q '^\./usr/bin/.*/' "$work/files" || fail "files beside the programs in usr/bin"

info=$(dpkg-deb -I "$deb")
grep -q '^ Package: vx-zyne-plus-rgb$' <<<"$info" || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt5widgets5 libqt5network5 libhidapi-hidraw0 libudev1 libevdev2 libpulse0; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
done
! grep -q libxqcomm <<<"$depends" || fail "the package depends on its own library: $depends"

dpkg-deb -e "$deb" "$work/control"
grep -q '^libxqcomm 1 ' "$work/control/shlibs" || fail "no shlibs entry for libxqcomm.so.1"
grep -q 'ldconfig' "$work/control/triggers" || fail "no ldconfig trigger"

# udevadm that fails: the scripts call it only where udev runs, and still end well.
mkdir "$work/bin"
printf '#!/bin/sh\necho "$@" >>"%s"\nexit 1\n' "$work/udevadm.calls" >"$work/bin/udevadm"
chmod +x "$work/bin/udevadm"
for step in "postinst configure" "postrm remove" "postrm purge"; do
    read -r script argument <<<"$step"
    [ -x "$work/control/$script" ] || fail "$script is missing or not executable"
    PATH="$work/bin:$PATH" "$work/control/$script" "$argument" || fail "$step failed"
done
if [ -S /run/udev/control ]; then
    grep -q -- '--reload-rules' "$work/udevadm.calls" || fail "udev was not told to reload its rules"
else
    [ ! -e "$work/udevadm.calls" ] || fail "udevadm called where udev does not run"
fi
echo "package $(basename "$deb"): $(wc -l <"$work/files") entries, Depends: $depends"
