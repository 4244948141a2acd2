#!/usr/bin/env bash
# Whole-process times of our core (bench/qzbatch) beside vim in its Shift-JIS
# mode on the same files: load, find a rare literal near the end, replace a
# common word everywhere and save, and the same replace on a file of very
# long lines. Runs alternate (ours, vim, ours, ...); medians of RUNS.
# Every run's output is checked: line counts, the match line and the saved
# files must agree with vim's.
#   bench/peers.sh [build-dir] [runs]     (build-dir: a Release build, made when missing)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$top/build-rel}")
runs=${2:-5}
export LC_ALL=C

need=()
command -v vim >/dev/null || need+=(vim)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq && $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi
# QZBATCH names a batch program built elsewhere (an older version, say).
qz=${QZBATCH:-$build/bench/qzbatch}
if [ -z "${QZBATCH:-}" ]; then
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_WITH_QT=OFF -DQZ_WITH_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" --target qzbatch >/dev/null
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/qzpeers-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "generating the corpus in $work ..."
"$qz" gen 50 sjis.txt crlf sjis
"$qz" gen 50 euc.txt crlf euc
"$qz" gen 50 jis.txt crlf jis
"$qz" genlong 10 1024 long.txt
# The rare literal sits on one line near the end.
marker=qz_rare_marker
lines=$(wc -l < sjis.txt)
sed -i "$((lines - 20))s/\r\$/ $marker\r/" sjis.txt
word=index
repl=position
# The freshly written corpus goes to disk before any timing starts.
sync

vim_cmd() {  # vim_cmd FILE EX-COMMANDS...: vim -es in cp932 with the result lines in vim.out
  local file=$1; shift
  local args=(-u NONE -i NONE -N -es --cmd 'set enc=cp932' -c 'set fencs=cp932 nofixeol')
  for c in "$@"; do args+=(-c "$c"); done
  printf '%q ' vim "${args[@]}" -c 'qa!' "$file"
}

# median of numbers on stdin
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# run NAME CHECK-FILE CMD...: one timed run; appends "wall peakKB" to NAME.t.
# The wall time is taken to the microsecond around GNU time, whose own %e
# has steps of 10 ms; its start-up is the same for both programs.
run() {
  local name=$1 out=$2; shift 2
  local t0 t1
  t0=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$name.one" "$@" >"$out" 2>>"$name.err" </dev/null
  t1=$(date +%s%N)
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.4f", (b - a) / 1e9}') $(cat "$name.one")" >> "$name.t"
}

declare -a rows
row() {  # row LABEL OURS-CMD VIM-CMD CHECK
  local label=$1 ours=$2 theirs=$3 check=$4
  rm -f ours.t vim.t
  for ((i = 0; i <= runs; i++)); do
    eval "run ours ours.out $ours"
    eval "run vim vim.out $theirs"
    if [ "$i" -eq 0 ]; then rm -f ours.t vim.t; fi  # the first pair warms the caches
    eval "$check" || { echo "MISMATCH in '$label'"; echo "ours: $(cat ours.out)"; echo "vim: $(cat vim.out)"; exit 1; }
  done
  local ot vt om vm
  ot=$(awk '{print $1}' ours.t | median); vt=$(awk '{print $1}' vim.t | median)
  om=$(awk '{print $2}' ours.t | median); vm=$(awk '{print $2}' vim.t | median)
  rows+=("$(printf '| %s | %.3f s | %.3f s | %.2f | %d / %d MB |' "$label" "$ot" "$vt" \
    "$(awk -v a="$ot" -v b="$vt" 'BEGIN {print (b > 0) ? a / b : 0}')" $((om / 1024)) $((vm / 1024)))")
}

lines_of() { sed -n 's/^lines //p' ours.out; }
same_lines='[ "$(lines_of)" = "$(head -1 vim.out)" ]'
row "load 50 MB Shift-JIS" "$qz load sjis.txt" \
  "$(vim_cmd sjis.txt 'call writefile([line("$")], "vim.out")')" "$same_lines"
row "load 50 MB EUC" "$qz load euc.txt 2" \
  "$(vim_cmd euc.txt 'e! ++enc=euc-jp' 'call writefile([line("$")], "vim.out")')" "$same_lines"
row "load 50 MB JIS" "$qz load jis.txt 3" \
  "$(vim_cmd jis.txt 'e! ++enc=iso-2022-jp' 'call writefile([line("$")], "vim.out")')" "$same_lines"
row "load + find a rare literal near the end" "$qz find sjis.txt $marker" \
  "$(vim_cmd sjis.txt "/$marker" 'call writefile([line(".")], "vim.out")')" \
  '[ "$(sed -n "s/^found line //p" ours.out)" = "$(head -1 vim.out)" ]'
count=$(grep -o "$word" sjis.txt | wc -l)
row "load + replace $count words + save" "$qz replace sjis.txt $word $repl ours.txt" \
  "$(vim_cmd sjis.txt "%s/$word/$repl/g" 'w! vim.txt' 'call writefile([line("$")], "vim.out")')" \
  'cmp ours.txt vim.txt >&2'
count=$(grep -o "$word" long.txt | wc -l)
row "10 lines of 1 MB: load + replace $count words + save" "$qz replace long.txt $word $repl ours.txt" \
  "$(vim_cmd long.txt "%s/$word/$repl/g" 'w! vim.txt' 'call writefile([line("$")], "vim.out")')" \
  'cmp ours.txt vim.txt >&2'

echo
echo "medians of $runs runs, whole processes; ratio = ours / vim; peak memory ours / vim"
echo "| 50 MB | ours | vim cp932 | ratio | peak memory |"
echo "|---|---:|---:|---:|---:|"
printf '%s\n' "${rows[@]}"
