#!/usr/bin/env bash
# Screenshots of the main frame as a user sees it, for looking at: schemes 1,
# 2 and 4 with three documents open, each plain and with Shift held (the
# function-key labels and the KOM menus change), and the list of open files.
# Usage: tests/gui/frame_shots.sh OUT_DIR    (not part of the test run)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
out=$(realpath -m "${1:-frame-shots}")
mkdir -p "$out"
"$top/scripts/ensure-packages.sh" xvfb xauth xdotool imagemagick python3-xlib
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/files" "$scratch/run"
chmod 700 "$scratch/run"
printf 'int main(int argc, char** argv) {\r\n    printf("%%s\\n", "\x93\xfa\x96\x7b\x8c\xea");  /* \x83\x52\x83\x81\x83\x93\x83\x67 */\r\n    return (int)0;\r\n}\r\n' > "$scratch/files/main.c"
printf '\x8f\x91\x82\xab\x82\xa9\x82\xaf\x82\xcc\x95\xb6\x8f\xcd\r\nsecond line\r\n' > "$scratch/files/memo.txt"
printf '<html>\r\n<body>\x83\x65\x83\x58\x83\x67</body>\r\n</html>\r\n' > "$scratch/files/page.htm"

export QZED_BIN=$top/build/bin/qzed32 QZED_HERE=$here QZED_OUT=$out QZED_FILES=$scratch/files
for scheme in 1 2 4; do
  export HOME=$scratch/home$scheme XDG_CONFIG_HOME=$scratch/config$scheme XDG_RUNTIME_DIR=$scratch/run TMPDIR=$scratch
  mkdir -p "$XDG_CONFIG_HOME/Tobarin" "$HOME"
  printf '[Environ]\nAsinMode=%s\nChildWnd_X=60\nChildWnd_Y=60\n[WindowSize]\nFrame_left=0\nFrame_top=0\nFrame_right=1180\nFrame_bottom=820\n' "$scheme" \
    > "$XDG_CONFIG_HOME/Tobarin/QZ32 Editor.ini"
  export QZED_SCHEME=$scheme
  xvfb-run -a -s '-screen 0 1200x840x24' bash -c '
    "$QZED_BIN" "$QZED_FILES/main.c" "$QZED_FILES/memo.txt" "$QZED_FILES/page.htm" &
    pid=$!
    for i in $(seq 50); do
      wid=$(xdotool search --name "QZ32 Editor" 2>/dev/null | head -1 || true)
      [ -n "$wid" ] && break; sleep 0.2
    done
    sleep 1
    xdotool windowfocus "$wid" 2>/dev/null || true
    # The function-key bar is off on a first start: turn it on from the menu.
    if [ "$QZED_SCHEME" = 2 ]; then xdotool key --window "$wid" alt+v; sleep 0.3; xdotool key p
    else xdotool key --window "$wid" F4; sleep 0.3; xdotool key d; sleep 0.3; xdotool key p; fi
    sleep 0.5
    import -window root "$QZED_OUT/scheme$QZED_SCHEME.png"
    xdotool keydown shift; sleep 0.5
    import -window root "$QZED_OUT/scheme$QZED_SCHEME-shift.png"
    xdotool keyup shift; sleep 0.3
    if [ "$QZED_SCHEME" = 4 ]; then
      xdotool key shift+F9; sleep 0.8
      import -window root "$QZED_OUT/file-list.png"
      xdotool key Escape; sleep 0.3
    fi
    /usr/bin/python3 "$QZED_HERE/close_window.py" "$wid"
    for i in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
    kill $pid 2>/dev/null || true
  '
done
ls "$out"
