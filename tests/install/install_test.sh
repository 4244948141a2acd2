#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed programs
# with a fresh home: the layout, the desktop entry, --version and --help, and
# an editor that keeps its state under XDG_STATE_HOME and writes nothing
# beside itself. Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null
for p in qzed32 qztags lexpak qzgrep; do [ -x "$prefix/bin/$p" ] || fail "bin/$p is missing"; done
[ "$(ls "$prefix/bin" | wc -l)" = 4 ] || fail "bin/ holds more than the programs: $(ls "$prefix/bin")"
for f in share/qzed32/yoyaku_c.tbl share/qzed32/temp_c.key share/qzed32/icons/qzed32.svg \
         share/applications/qzed32.desktop share/icons/hicolor/scalable/apps/qzed32.svg; do
  [ -f "$prefix/$f" ] || fail "$f is missing"
done

desktop=$prefix/share/applications/qzed32.desktop
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
fi
grep -qx 'Exec=qzed32 %F' "$desktop" || fail "Exec line"
grep -qx 'Icon=qzed32' "$desktop" || fail "Icon line"
for t in text/plain text/x-csrc text/x-c++hdr text/html; do
  grep -q "^MimeType=.*$t;" "$desktop" || fail "MimeType lacks $t"
done

# A user who never ran the editor: no QZED_HOME, no XDG folders set.
home=$work/home
mkdir -p "$home" "$work/run" "$work/tmp"
chmod 700 "$work/run"
fresh=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$home" XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
  QT_QPA_PLATFORM=offscreen)
run() { "${fresh[@]}" "$@"; }
[ "$(run "$prefix/bin/qzed32" --version)" = "qzed32 (QZ32 Editor) Version 1.49" ] || fail "--version"
help=$(run "$prefix/bin/qzed32" --help)
for line in "データ   : $prefix/share/qzed32" "状態     : $home/.local/state/qzed32" \
            "個人用   : $home/.local/share/qzed32" "設定     : $home/.config/Tobarin/QZ32 Editor.ini"; do
  grep -qxF "$line" <<<"$help" || fail "--help lacks: $line"
done
for p in qztags lexpak qzgrep; do
  run "$prefix/bin/$p" --help >/dev/null || fail "$p --help"
done

printf '\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\n' >"$work/u.txt"
touch "$work/before"
# env runs the editor in its own place, so the pid is the editor's.
"${fresh[@]}" "$prefix/bin/qzed32" "$work/u.txt" &
pid=$!
state=$home/.local/state/qzed32
for _ in $(seq 150); do
  if [ -d "$state" ] && ls "$work/run"/qz32editor-*.owner >/dev/null 2>&1; then break; fi
  kill -0 "$pid" 2>/dev/null || fail "the installed editor ended early"
  sleep 0.2
done
[ -d "$state" ] || fail "no state folder under XDG_STATE_HOME"
kill -0 "$pid" 2>/dev/null || fail "the installed editor did not keep running"
kill "$pid"
wait "$pid" 2>/dev/null || true
kill -0 "$pid" 2>/dev/null && fail "the editor did not end"
pid=
[ "$(stat -c %a "$state")" = 700 ] || fail "the state folder is not the user's alone"
new=$(find "$prefix" -newer "$work/before")
[ -z "$new" ] || fail "written beside the programs: $new"
[ ! -e "$home/.local/share/qzed32" ] || fail "a user data folder without an edit"
echo "install: ok"
