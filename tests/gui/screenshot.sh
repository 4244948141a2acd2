#!/usr/bin/env bash
# Starts the built editor under Xvfb with a scratch configuration, takes a
# screenshot, closes the window as a user would and shows the settings file
# it wrote. Usage: tests/gui/screenshot.sh OUT.png [editor args...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
out=$(realpath -m "$1"); shift
"$top/scripts/ensure-packages.sh" xvfb xauth xdotool imagemagick python3-xlib
scratch=$(mktemp -d)
export XDG_CONFIG_HOME=$scratch/config
export QZED_ARGS="$*"
export QZED_TYPE="${QZED_TYPE:-}"
export QZED_OUT=$out QZED_BIN=$top/build/bin/qzed32 QZED_HERE=$here
xvfb-run -a -s '-screen 0 1280x900x24' bash -c '
  "$QZED_BIN" $QZED_ARGS &
  pid=$!
  for i in $(seq 50); do
    wid=$(xdotool search --name "QZ32 Editor" 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break; sleep 0.2
  done
  sleep 1
  # No window manager runs under Xvfb: give the editor the keyboard itself,
  # then type what QZED_TYPE asks (xdotool key names, blank-separated).
  xdotool windowfocus "$wid" 2>/dev/null || true
  if [ -n "${QZED_TYPE:-}" ]; then xdotool key --window "$wid" $QZED_TYPE; fi
  sleep 0.5
  echo "window title: $(xdotool getwindowname "$wid")"
  import -window root "$QZED_OUT"
  /usr/bin/python3 "$QZED_HERE/close_window.py" "$wid"
  for i in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  if kill -0 $pid 2>/dev/null; then echo "editor did not close" >&2; kill $pid; exit 1; fi
'
echo "screenshot: $out"
ini="$XDG_CONFIG_HOME/Tobarin/QZ32 Editor.ini"
if [ -f "$ini" ]; then echo "settings written: $(grep -c = "$ini") values in $ini"; fi
