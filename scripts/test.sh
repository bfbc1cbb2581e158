#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every
# test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
bash scripts/compila.sh -DCORSA_AVVISI_COME_ERRORI=ON
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
