#!/usr/bin/env bash
# Start-up of the program against an empty Qt window started the same way:
# N runs of each (default 15), taken in turn under a virtual X display;
# prints the medians of the time to the first complete paint and of the peak
# resident memory, and the program's ratios to the empty window.
#   bash bench/avvio.sh [N]        (after scripts/compila.sh)
# CORSA_BUILD names another build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
N=${1:-15}
[[ "$N" =~ ^[1-9][0-9]*$ ]] || { echo "uso: $0 [numero di prove]" >&2; exit 2; }

build=${CORSA_BUILD:-build}
[[ "$build" = /* ]] || build=$PWD/$build
programma=$build/src/app/corsa
vuota=$build/bench/finestra-vuota
for f in "$programma" "$vuota"; do
  [ -x "$f" ] || { echo "manca $f: compilare prima (scripts/compila.sh)" >&2; exit 2; }
done

# One X server for all the runs, so that its start is counted by neither side.
if [ -z "${AVVIO_SOTTO_XVFB:-}" ]; then
  export AVVIO_SOTTO_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$N"
fi

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
mkdir -p "$lavoro/porte" # no port at all: nothing real is opened
export QT_QPA_PLATFORM=xcb CORSA_PORTE="$lavoro/porte"

# One run: prints "ms kB". The pause first lets the display server finish
# with the program before, whose window it may still be tearing down: back
# to back, each run would pay for the one before it.
prova() {
  local eseguibile=$1 riga
  sleep 0.2
  riga=$(cd "$lavoro" && CORSA_MISURA_AVVIO=$(date +%s%N) timeout 30 "$eseguibile" 2>/dev/null) || true
  set -- $riga
  if [ "${1:-}" != primo_disegno_ms ] || [ "${3:-}" != picco_kb ]; then
    echo "nessuna misura da $eseguibile: '$riga'" >&2
    exit 1
  fi
  echo "$2 $4"
}

mediana() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A first run of each warms the caches (files, fonts) and is not counted.
prova "$vuota" >/dev/null
prova "$programma" >/dev/null
: >"$lavoro/vuota" >"$lavoro/programma"
for ((i = 0; i < N; i++)); do
  prova "$vuota" >>"$lavoro/vuota"
  prova "$programma" >>"$lavoro/programma"
done

tv=$(cut -d' ' -f1 "$lavoro/vuota" | mediana)
mv=$(cut -d' ' -f2 "$lavoro/vuota" | mediana)
tp=$(cut -d' ' -f1 "$lavoro/programma" | mediana)
mp=$(cut -d' ' -f2 "$lavoro/programma" | mediana)
awk -v n="$N" -v tv="$tv" -v mv="$mv" -v tp="$tp" -v mp="$mp" 'BEGIN {
  printf "%d prove per parte, mediane\n", n
  printf "%-16s %20s %22s\n", "", "primo disegno (ms)", "memoria di picco (MB)"
  printf "%-16s %20.1f %22.1f\n", "finestra vuota", tv, mv / 1024
  printf "%-16s %20.1f %22.1f\n", "corsa", tp, mp / 1024
  printf "%-16s %19.2fx %21.2fx\n", "rapporto", tp / tv, mp / mv
}'
