#!/usr/bin/env bash
# Rasterises the tool-bar icons and the program icon at 16 and 24 px on a
# light and a dark tool-bar grey into one contact sheet, in tool-bar order,
# so that they can be judged as a user sees them. Not part of the test run.
# Usage: tests/gui/icon_sheet.sh OUT.png [ZOOM]
#   ZOOM (default 1) enlarges the finished sheet without smoothing, so that
#   single pixels can be inspected.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
out=$(realpath -m "${1:?usage: icon_sheet.sh OUT.png [ZOOM]}")
zoom=${2:-1}
"$top/scripts/ensure-packages.sh" librsvg2-bin imagemagick
icons=$top/data/icons
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The command ids in the order the bars show them, from the bar table and
# the id constants, so that neighbours on a bar sit side by side here too.
ids() {
    grep -o 'c::k[A-Za-z0-9]*\( + [0-9]\)\?' "$top/src/frame/tool_bars.cpp" | sed 's/^c::/ /' |
    while read -r name plus offset; do
        value=$(sed -n "s/.*constexpr int $name = \([0-9]*\);.*/\1/p" "$top/src/frame/commands.h")
        echo $((value + ${offset:-0}))
    done
}

tiles=()
for id in qzed32 $(ids); do
    svg=$icons/$id.svg
    tile=$work/$id.png
    if [ ! -f "$svg" ]; then
        convert -size 60x34 xc:'#ff00ff' "$tile"
    else
        rsvg-convert -w 16 -h 16 "$svg" -o "$work/$id-16.png"
        rsvg-convert -w 24 -h 24 "$svg" -o "$work/$id-24.png"
        # Light grey as a default desktop's tool bar, dark as a dark theme's.
        for bg in light:'#ececec' dark:'#2f3033'; do
            convert -size 60x30 xc:"${bg#*:}" \
                "$work/$id-16.png" -geometry +6+7 -composite \
                "$work/$id-24.png" -geometry +30+3 -composite "$work/$id-${bg%%:*}.png"
        done
        convert "$work/$id-light.png" "$work/$id-dark.png" -append "$tile"
    fi
    tiles+=(-label "$id" "$tile")
done

montage -font DejaVu-Sans -pointsize 10 "${tiles[@]}" -tile 9x -geometry +4+4 -background white "$work/sheet.png"
convert "$work/sheet.png" -scale "$((zoom * 100))%" "$out"
echo "sheet: $out"
