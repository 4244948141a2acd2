#!/usr/bin/env bash
# Times the console tools on generated data in /tmp next to the standard tools
# doing the same job: qztags -r beside ctags -R over 2,000 C files (50 MB),
# lexpak -d3 beside GNU sort over a 50 MB tab-separated dictionary.
# Usage: bench/tools_bench.sh [build-dir] [runs]   (median of the runs)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
work=${QZ_BENCH_DIR:-/tmp/qz-tools-bench}
mkdir -p "$work"

python3 - "$work" <<'PY'
import os, random, sys
work = sys.argv[1]
rng = random.Random(1)
tree = os.path.join(work, "tree")
if not os.path.isdir(tree):
    words = ["alpha", "beta", "gamma", "delta", "count", "buffer", "index", "value", "node", "list"]
    comment = "/* \x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x52\x83\x81\x83\x93\x83\x67 */\r\n".encode("latin-1")
    for f in range(2000):
        d = os.path.join(tree, "mod%02d" % (f % 40), "sub%d" % (f % 3))
        os.makedirs(d, exist_ok=True)
        out = bytearray()
        n = 0
        while len(out) < 25000:
            name = "%s_%s_%d" % (rng.choice(words), rng.choice(words), n)
            n += 1
            out += b"#define %s_MAX %d\r\n" % (name.upper().encode(), n)
            out += comment
            out += b"typedef struct tag%s {\r\n    int a, b;\r\n    char *p;\r\n} %s_t;\r\n" % (name.encode(), name.encode())
            out += b"static int %s(int x, const char *s)\r\n{\r\n" % name.encode()
            out += b"    // loop over the items\r\n    for (int i = 0; i < x; ++i) {\r\n"
            out += b"        if (s[i] == '\\'') return i; /* quote */\r\n        puts(\"done {\");\r\n    }\r\n    return 0;\r\n}\r\n\r\n"
        open(os.path.join(d, "file%04d.c" % f), "wb").write(out)
dic = os.path.join(work, "dict.txt")
if not os.path.exists(dic):
    letters = "abcdefghijklmnopqrstuvwxyz"
    kana = [bytes([0x82, b]) for b in range(0x9f, 0xf1)]
    with open(dic, "wb") as f:
        size = 0
        while size < 50 * 1000 * 1000:
            head = "".join(rng.choice(letters) for _ in range(rng.randint(3, 18)))
            if rng.random() < 0.3:
                head = head.capitalize()
            body = b"".join(rng.choice(kana) for _ in range(rng.randint(5, 20)))
            line = head.encode() + b"\t" + body + b"\r\n"
            f.write(line)
            size += len(line)
PY

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
timeit() {  # timeit DIR CMD...: seconds of one run
    local dir=$1; shift
    local t0 t1
    t0=$(date +%s.%N)
    (cd "$dir" && "$@" >/dev/null 2>&1) || true
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc
}
report() {  # report LABEL DIR CMD...
    local label=$1; shift
    local ts=()
    for _ in $(seq "$runs"); do ts+=("$(timeit "$@")"); done
    printf '%-34s %6.2f s  (runs: %s)\n' "$label" "$(printf '%s\n' "${ts[@]}" | median)" "${ts[*]}"
}

echo "tree: $(find "$work/tree" -name '*.c' | wc -l) files, $(find "$work/tree" -name '*.c' -printf '%s\n' | awk '{s+=$1} END {printf "%.1f", s/1e6}') MB of source"
report "qztags -r '*.c'" "$work/tree" "$build/bin/qztags" -r '*.c'
report "ctags -R" "$work/tree" ctags -R -f tags.ctags .
echo "dictionary: $(wc -l < "$work/dict.txt") entries, $(du -m "$work/dict.txt" | cut -f1) MB"
report "lexpak -d3" "$work" "$build/bin/lexpak" -d3 -fdict.txt -odict.dic
report "LC_ALL=C sort -f -t TAB -k1,1" "$work" env LC_ALL=C sort -f -t "$(printf '\t')" -k1,1 -o dict.sorted dict.txt
report "sort -f -t TAB -k1,1 (locale $(locale | sed -n 's/^LC_COLLATE=//p'))" "$work" sort -f -t "$(printf '\t')" -k1,1 -o dict.sorted dict.txt
