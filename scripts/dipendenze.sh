#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmark need,
# only those that are missing.
set -euo pipefail
pacchetti=(build-essential cmake qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgl-dev libgtest-dev
           xvfb xauth fonts-liberation fonts-dejavu-core)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${mancanti[@]}"
fi
