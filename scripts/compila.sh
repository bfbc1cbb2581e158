#!/usr/bin/env bash
# Configures and builds everything into ./build. Extra arguments go to CMake's
# configure step; warnings are errors only when asked (scripts/test.sh does).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORSA_AVVISI_COME_ERRORI=OFF "$@" >/dev/null
cmake --build build -j"$(nproc)"
