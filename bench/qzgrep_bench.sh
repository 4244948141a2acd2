#!/usr/bin/env bash
# Times qzgrep -r beside GNU grep -rn over 2,000 generated Shift-JIS C files
# (about 50 MB, CR/LF, Japanese comments) for a rare literal, a common word
# (also ignoring case) and a Japanese word.
# Usage: bench/qzgrep_bench.sh [build-dir] [runs]   (median of the runs)
# The build folder needs the qzgrep and gen_grep_tree targets (a Release build
# with QZ_WITH_BENCH on). The tree is generated into a fresh folder under /tmp
# and removed afterwards.
set -euo pipefail
build=$(cd "${1:-build-rel}" && pwd)
runs=${2:-5}
work=$(mktemp -d /tmp/qzgrep-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

"$build/bench/gen_grep_tree" "$work/tree" 2000 25000

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
timeit() {  # seconds of one run of CMD... in the tree
    local t0 t1
    t0=$(date +%s.%N)
    (cd "$work/tree" && "$@" >"$work/out" 2>/dev/null) || true
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc
}
report() {  # report LABEL CMD...: prints and leaves the median in $last
    local label=$1; shift
    local ts=()
    for _ in $(seq "$runs"); do ts+=("$(timeit "$@")"); done
    last=$(printf '%s\n' "${ts[@]}" | median)
    printf '%-40s %6.3f s  %7d lines  (runs: %s)\n' "$label" "$last" "$(wc -l < "$work/out")" "${ts[*]}"
}
ratio() { echo "scale=2; $1 / $2" | bc; }

echo "tree: $(find "$work/tree" -name '*.c' | wc -l) files, $(find "$work/tree" -name '*.c' -printf '%s\n' | awk '{s+=$1} END {printf "%.1f", s/1e6}') MB"
# Warm the page cache so that both programs read from memory.
cat $(find "$work/tree" -name '*.c') > /dev/null
for word in qz_rare_marker buf; do
    report "qzgrep -r $word '*.c'" "$build/bin/qzgrep" -r "$word" '*.c'; q=$last
    report "LC_ALL=C grep -rn $word --include='*.c'" env LC_ALL=C grep -rn "$word" --include='*.c' .; g=$last
    echo "  ratio qzgrep / grep: $(ratio "$q" "$g")"
done
report "qzgrep -ri BUF '*.c'" "$build/bin/qzgrep" -ri BUF '*.c'; q=$last
report "LC_ALL=C grep -rni BUF --include='*.c'" env LC_ALL=C grep -rni BUF --include='*.c' .; g=$last
echo "  ratio qzgrep / grep: $(ratio "$q" "$g")"
# A Japanese word: qzgrep takes it in UTF-8, grep as the files' Shift-JIS bytes.
jp=$(printf '漢字コード' | iconv -f UTF-8 -t CP932)
report "qzgrep -r 漢字コード '*.c'" "$build/bin/qzgrep" -r 漢字コード '*.c'; q=$last
report "LC_ALL=C grep -rnF <sjis> --include='*.c'" env LC_ALL=C grep -rnF "$jp" --include='*.c' .; g=$last
echo "  ratio qzgrep / grep: $(ratio "$q" "$g")"
