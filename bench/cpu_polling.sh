#!/usr/bin/env bash
# CPU share of the program while it polls the simulated board (one "@"
# exchange every two 25 ms ticks, 20 a second), against the same program
# started but never connected, over the same time. Read from /proc/PID/stat:
# utime + stime over the window, divided by the wall time and CLK_TCK.
#
#   bench/cpu_polling.sh [--x] [--secondi N] [--build DIR]
#     --x         the program under xvfb-run (the X server's own work is not
#                 counted); by default the offscreen platform, where all the
#                 drawing is the program's
#     --secondi   length of each window (10)
#     --build     the build folder (../build from here)
set -euo pipefail

qui=$(cd "$(dirname "$0")" && pwd)
build="$qui/../build"
secondi=10
sotto_x=0
while [ $# -gt 0 ]; do
    case "$1" in
    --x) sotto_x=1 ;;
    --secondi) secondi=$2; shift ;;
    --build) build=$2; shift ;;
    *) echo "uso: $0 [--x] [--secondi N] [--build DIR]" >&2; exit 2 ;;
    esac
    shift
done
polling="$build/bench/corsa-polling"
sim="$build/tools/corsa-sim"
for p in "$polling" "$sim"; do
    [ -x "$p" ] || { echo "manca $p: compilare prima" >&2; exit 2; }
done
if [ "$sotto_x" = 1 ] && ! command -v xvfb-run >/dev/null; then
    echo "xvfb-run non trovato" >&2
    exit 2
fi

tmp=$(mktemp -d)
mkdir -p "$tmp/porte" "$tmp/lavoro"
pid_sim=""
pid_prog=""
pid_lancio=""
chiudi() {
    for p in $pid_prog $pid_lancio $pid_sim; do
        kill "$p" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap chiudi EXIT

clk=$(getconf CLK_TCK)
registro="$tmp/registro"

# utime + stime in clock ticks: fields 14 and 15, counted after the name in
# brackets, which may hold blanks of its own.
tick_cpu() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
adesso_ns() { date +%s%N; }
chiocciole() { grep -c ' 0x40$' "$registro" || true; }

# Waits up to 20 s for a line starting with $2 in file $1; prints the line.
aspetta_riga() {
    local i
    for i in $(seq 200); do
        if grep -q "^$2" "$1" 2>/dev/null; then
            grep -m1 "^$2" "$1"
            return 0
        fi
        sleep 0.1
    done
    echo "non arrivato: \"$2\" (vedi sotto)" >&2
    cat "$1" "$1.err" >&2 2>/dev/null || true
    return 1
}

# Starts corsa-polling with the given arguments; sets pid_prog and pid_lancio.
avvia() {
    local uscita="$tmp/uscita$*"
    uscita=${uscita// /_}
    : >"$uscita"
    if [ "$sotto_x" = 1 ]; then
        (cd "$tmp/lavoro" && CORSA_PORTE="$tmp/porte" exec xvfb-run -a "$polling" "$@") \
            >"$uscita" 2>"$uscita.err" </dev/null &
    else
        (cd "$tmp/lavoro" && CORSA_PORTE="$tmp/porte" QT_QPA_PLATFORM=offscreen exec "$polling" "$@") \
            >"$uscita" 2>"$uscita.err" </dev/null &
    fi
    pid_lancio=$!
    local riga
    riga=$(aspetta_riga "$uscita" "avviato ") || exit 1
    pid_prog=${riga#avviato }
    ultima_uscita=$uscita
}

ferma() {
    kill "$pid_prog" 2>/dev/null || true
    wait "$pid_lancio" 2>/dev/null || true
    pid_prog=""
    pid_lancio=""
}

# One window on the running program: prints "cpu% ticks wall_s exchanges/s".
campiona() {
    local c0 c1 t0 t1 n0 n1
    sleep 1 # past the start-up and the first drawing
    c0=$(tick_cpu "$pid_prog")
    n0=$(chiocciole)
    t0=$(adesso_ns)
    sleep "$secondi"
    c1=$(tick_cpu "$pid_prog")
    n1=$(chiocciole)
    t1=$(adesso_ns)
    awk -v c="$((c1 - c0))" -v t="$((t1 - t0))" -v n="$((n1 - n0))" -v k="$clk" \
        'BEGIN { s = t / 1e9; printf "%.2f %d %.2f %.1f\n", 100 * c / k / s, c, s, n / s }'
}

riquadri() {
    local n
    n=$(grep -c '^riquadro:' "$1.err" 2>/dev/null || true)
    [ "${n:-0}" = 0 ] || echo "  attenzione: $n riquadri durante la prova ($(grep -m1 '^riquadro:' "$1.err"))"
}

"$sim" --cartella "$tmp/porte" --porte 3 --registro "$registro" >"$tmp/sim.txt" 2>&1 </dev/null &
pid_sim=$!
for i in $(seq 100); do
    [ -e "$tmp/porte/com3" ] && break
    sleep 0.05
done
[ -e "$tmp/porte/com3" ] || { echo "il simulatore non ha creato com3" >&2; cat "$tmp/sim.txt" >&2; exit 1; }

piattaforma=offscreen
[ "$sotto_x" = 1 ] && piattaforma="xvfb-run"

avvia --connetti
aspetta_riga "$ultima_uscita" "in ascolto" >/dev/null || exit 1
read -r cpu_a tick_a wall_a scambi_a < <(campiona)
uscita_a=$ultima_uscita
ferma

avvia
read -r cpu_f tick_f wall_f scambi_f < <(campiona)
uscita_f=$ultima_uscita
ferma

echo "piattaforma $piattaforma, finestra ${secondi} s per prova, CLK_TCK $clk"
printf 'in ascolto (stato ogni 50 ms): CPU %6s %% di un core  (%s tick in %s s), scambi "@" visti %s/s\n' \
    "$cpu_a" "$tick_a" "$wall_a" "$scambi_a"
riquadri "$uscita_a"
printf 'fermo (avviato, non connesso): CPU %6s %% di un core  (%s tick in %s s), scambi "@" visti %s/s\n' \
    "$cpu_f" "$tick_f" "$wall_f" "$scambi_f"
riquadri "$uscita_f"
echo "obiettivo: sotto 1 % di un core in ascolto"
