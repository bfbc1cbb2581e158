#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmark need,
# only those that are missing. Only installing needs root: with nothing
# missing it asks for nothing, so an ordinary user can build and start.
set -euo pipefail
pacchetti=(build-essential cmake qt6-base-dev qt6-serialport-dev qt6-translations-l10n libgl-dev libgtest-dev
           xvfb xauth fonts-liberation fonts-dejavu-core clang-format)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
  come=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "mancano i pacchetti Debian: ${mancanti[*]}" >&2
      echo "installarli richiede root (e qui non c'è sudo): da root, apt-get install ${mancanti[*]}" >&2
      exit 1
    fi
    come=(sudo)
  fi
  "${come[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${come[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${mancanti[@]}"
fi
