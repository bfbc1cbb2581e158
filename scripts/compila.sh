#!/usr/bin/env bash
# Configures and builds everything into ./build. Extra arguments go to CMake's
# configure step. Warnings are errors only when CORSA_AVVISI_COME_ERRORI=ON
# is in the environment (CI sets it); the README's two commands configure
# alike, so switching between them rebuilds nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORSA_AVVISI_COME_ERRORI="${CORSA_AVVISI_COME_ERRORI:-OFF}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
