#!/usr/bin/env bash
# Builds the editor and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
scripts/ensure-packages.sh "${QZ_BUILD_PACKAGES[@]}"
qz_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target qzed32 qz_data_copy
exec build/bin/qzed32 "$@"
