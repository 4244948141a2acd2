#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core suites
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzzers.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
scripts/ensure-packages.sh "${QZ_BUILD_PACKAGES[@]}" clang libclang-rt-14-dev ccache

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# A compiler cache makes a build of a fresh clone on the same machine cheap;
# the test programs' precompiled GoogleTest headers are cached too.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "== Build and test"
qz_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Core tests under ASan + UBSan"
qz_configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQZ_WITH_QT=OFF -DQZ_WITH_BENCH=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -L core

if [ -f tests/fuzz/run-fuzzers.sh ]; then
  echo "== Fuzzers"
  bash tests/fuzz/run-fuzzers.sh
fi
echo "== All tests passed"
