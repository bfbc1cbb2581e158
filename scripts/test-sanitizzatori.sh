#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-san and runs every test there headless; non-zero on any failure,
# memory error, leak or undefined behaviour.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
# Warnings are the ordinary build's job: the instrumented code can make GCC
# warn about things that are not in the source.
cmake -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORSA_SANITIZZATORI=ON \
      -DCORSA_AVVISI_COME_ERRORI=OFF >/dev/null
cmake --build build-san -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd build-san
ctest --output-on-failure -j"$(nproc)"
