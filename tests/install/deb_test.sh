#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks its file list
# and control fields. Usage: deb_test.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  fail "cpack"
}
deb=$(ls "$work"/qzed32_*.deb)
[ "$(basename "$deb")" = "qzed32_1.49_$(dpkg --print-architecture).deb" ] || fail "package name $deb"

# The files: the four programs, the desktop entry and icon, and data/ as a whole.
{
  for p in lexpak qzed32 qzgrep qztags; do echo "./usr/bin/$p"; done
  echo ./usr/share/applications/qzed32.desktop
  echo ./usr/share/icons/hicolor/scalable/apps/qzed32.svg
  (cd "$data" && find . -type f | sed 's|^\./|./usr/share/qzed32/|')
} | LC_ALL=C sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort >"$work/actual"
diff -u "$work/expected" "$work/actual" || fail "the package's file list"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = qzed32 ] || fail Package
[ "$(field Version)" = 1.49 ] || fail Version
[ "$(field Section)" = editors ] || fail Section
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6svg6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -q fonts-ipafont-gothic <<<"$(field Recommends)" || fail Recommends
# Stripped programs: debugging data stays out of a user's package.
dpkg-deb -x "$deb" "$work/root"
file "$work/root/usr/bin/qzed32" | grep -q 'stripped' && ! file "$work/root/usr/bin/qzed32" | grep -q 'not stripped' ||
  fail "qzed32 is not stripped"
echo "deb: ok"
