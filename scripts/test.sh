#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. Warnings
# are errors when CORSA_AVVISI_COME_ERRORI=ON is set, as CI does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
bash scripts/compila.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)"
