#!/usr/bin/env bash
# The CPU that `Stavio -S` and the system daemon use while idle on the demo machine: the ticks run,
# no window is open, nothing else happens. Reads utime + stime of /proc/PID/stat (clock ticks) and,
# for a finer figure, the nanoseconds on CPU of every thread from /proc/PID/task/*/schedstat.
#
#   bench/idle_cpu.sh [BUILD_DIR] [SECONDS] [MACHINE_DIR]
#
# MACHINE_DIR (default: a fresh temporary folder) is made from sim/scenarios/demo.json and removed
# afterwards.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build}
seconds=${2:-60}
machine=${3:-$(mktemp -d /tmp/k9idleXXXXXX)}
bin=$build/bin
export QT_QPA_PLATFORM=offscreen
cleanup() {
  [[ -n ${stavio:-} ]] && kill "$stavio" 2>/dev/null && wait "$stavio" 2>/dev/null || true
  [[ -n ${daemon:-} ]] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null || true
  rm -rf "$machine"
}
trap cleanup EXIT

rm -rf "$machine"
"$bin/kavo9-sim" --machine "$machine" init "$source_dir/sim/scenarios/demo.json" >/dev/null
"$bin/kavo9-simd" --machine "$machine" 2>/dev/null &
daemon=$!
for _ in $(seq 100); do [[ -S $machine/run/simd.sock ]] && break; sleep 0.05; done
"$bin/Stavio" -S --machine "$machine" 2>/dev/null &
stavio=$!
sleep 5  # past the start, the adapter-ready routine and the first scan

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
nanos() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
requests() { "$bin/kavo9-sim" --machine "$machine" status | grep -o "\"lastRequest\": *[0-9]*" | grep -o "[0-9]*$"; }
s_ticks=$(ticks "$stavio"); s_ns=$(nanos "$stavio")
d_ticks=$(ticks "$daemon"); d_ns=$(nanos "$daemon")
r0=$(requests)
sleep "$seconds"
s_ticks=$(( $(ticks "$stavio") - s_ticks )); s_ns=$(( $(nanos "$stavio") - s_ns ))
d_ticks=$(( $(ticks "$daemon") - d_ticks )); d_ns=$(( $(nanos "$daemon") - d_ns ))
r1=$(requests)
hz=$(getconf CLK_TCK)
report() {
  awk -v name="$1" -v t="$2" -v ns="$3" -v hz="$hz" -v s="$seconds" 'BEGIN {
    printf "%-12s %.3f %% of one core by utime+stime (%d ticks), %.3f %% by schedstat (%.1f ms)\n",
           name, 100 * t / hz / s, t, 100 * ns / 1e9 / s, ns / 1e6 }'
}
echo "idle over $seconds s, $((r1 - r0)) driver requests:"
report "Stavio -S" "$s_ticks" "$s_ns"
report "kavo9-simd" "$d_ticks" "$d_ns"
