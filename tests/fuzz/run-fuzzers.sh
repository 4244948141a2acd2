#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time:
# 30 s each when CI is set (less when there are many, so that all of them
# stay under 9 minutes), 5 s each otherwise. FUZZ_SECONDS overrides.
# A crash, a leak, a sanitizer report or a failed property fails the run and
# prints the reproducer.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cd "$top"
build=build-fuzz
san="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DQZ_WITH_QT=OFF -DQZ_WITH_BENCH=OFF -DQZ_WITH_TESTS=OFF -DQZ_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $san" \
    -DCMAKE_EXE_LINKER_FLAGS="$san" >/dev/null
fi
cmake --build "$build" -j "$(nproc)"

targets=()
for f in "$build"/fuzz/fuzz_*; do [ -x "$f" ] && targets+=("$f"); done
if [ ${#targets[@]} -eq 0 ]; then echo "no fuzz targets"; exit 0; fi

if [ -n "${FUZZ_SECONDS:-}" ]; then secs=$FUZZ_SECONDS
elif [ -n "${CI:-}" ]; then secs=$(( 540 / ${#targets[@]} )); [ "$secs" -gt 30 ] && secs=30
else secs=5; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for bin in "${targets[@]}"; do
  name=${bin##*/fuzz_}
  corpus="$work/corpus-$name"
  mkdir -p "$corpus" "$work/artifacts-$name"
  [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$corpus/"
  log="$work/$name.log"
  if ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$bin" -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$work/artifacts-$name/" "$corpus" >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz $name: ok, ${runs:-?} executions in ${secs}s"
  else
    failed=1
    echo "fuzz $name: FAILED"
    tail -n 40 "$log"
    for a in "$work/artifacts-$name"/*; do
      [ -f "$a" ] || continue
      echo "reproducer $(basename "$a") ($(stat -c %s "$a") bytes):"
      od -An -tx1 -v "$a" | head -n 20
      echo "rerun: $bin $a"
      mkdir -p "$build/crashes" && cp "$a" "$build/crashes/"
    done
  fi
done
exit $failed
