#!/usr/bin/env bash
# The CPU that Stavio uses with its main window open on the link panel (expanded, the adapter
# joined to the demo world's open network, the panel refreshing every 2 s), beside `Stavio -S`
# and the window open but collapsed (the panel hidden) on the same machine in the same run, each
# over SECONDS. Reads the nanoseconds on CPU of every
# thread from /proc/PID/task/*/schedstat, and utime + stime from /proc/PID/stat.
#
#   bench/link_idle_cpu.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build}
seconds=${2:-60}
machine=$(mktemp -d /tmp/k9linkidleXXXXXX)
bin=$build/bin
export QT_QPA_PLATFORM="offscreen:configfile=$source_dir/cmake/testing/screen-1920x1200.json"
export XDG_RUNTIME_DIR="$machine/run/xdg" DBUS_SESSION_BUS_ADDRESS="disabled:"
cleanup() {
  [[ -n ${stavio:-} ]] && kill "$stavio" 2>/dev/null && wait "$stavio" 2>/dev/null || true
  [[ -n ${daemon:-} ]] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null || true
  rm -rf "$machine"
}
trap cleanup EXIT

"$bin/kavo9-sim" --machine "$machine" init "$source_dir/sim/scenarios/demo.json" >/dev/null
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
"$bin/kavo9-simd" --machine "$machine" 2>/dev/null &
daemon=$!
for _ in $(seq 100); do [[ -S $machine/run/simd.sock ]] && break; sleep 0.05; done
# Joined to "Bakery Guest" (an open network), as a connect would leave it.
ssid=$(printf 'Bakery Guest' | od -An -tx1 | tr -d ' \n')
"$bin/kavo9-sim" --machine "$machine" ioctl usb0 set 0x0D010102 "0c000000${ssid}$(printf '0%.0s' $(seq 40))" >/dev/null

nanos() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
measure() {
  local name=$1; shift
  "$@" --machine "$machine" 2>/dev/null &
  stavio=$!
  sleep 6  # past the start, the adapter-ready routine and the first scan
  local n0 t0 n1 t1
  n0=$(nanos "$stavio"); t0=$(ticks "$stavio")
  sleep "$seconds"
  n1=$(nanos "$stavio"); t1=$(ticks "$stavio")
  kill "$stavio"; wait "$stavio" 2>/dev/null || true
  stavio=
  awk -v name="$name" -v ns=$((n1 - n0)) -v t=$((t1 - t0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
    printf "%-34s %.3f %% of one core by schedstat (%.1f ms), %.3f %% by utime+stime\n",
           name, 100 * ns / 1e9 / s, ns / 1e6, 100 * t / hz / s }'
}
echo "over $seconds s each, joined to an open network:"
measure "Stavio -S" "$bin/Stavio" -S
measure "Stavio, window open, collapsed" "$bin/Stavio"
KAVO9_EXPAND_MAIN_WINDOW=1 measure "Stavio, window open on link panel" "$bin/Stavio"
