#!/usr/bin/env bash
# The CPU that Stavio spends on a WPS run's 200 ms status poll: `Stavio -S` idle, beside
# `Stavio -S` while the adapter's push button has started a run that finds no access point with
# its button pressed (the poll goes on for the whole measurement), each over SECONDS on the demo
# machine. Reads the nanoseconds on CPU of every thread from /proc/PID/task/*/schedstat, and
# gives the cost of one poll as the difference divided by the polls made.
#
#   bench/wps_poll_cpu.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build}
seconds=${2:-120}
machine=$(mktemp -d /tmp/k9wpspollXXXXXX)
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
# No access point has its button pressed: a push-button run walks and keeps the poll going.
"$bin/kavo9-sim" --machine "$machine" wps release 00-1D-7E-0D-70-11 >/dev/null

nanos() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
measure() {
  local name=$1 press=$2
  "$bin/Stavio" -S --machine "$machine" 2>/dev/null &
  stavio=$!
  sleep 6  # past the start, the adapter-ready routine and the first scan
  if [[ $press == yes ]]; then
    "$bin/kavo9-sim" --machine "$machine" wps button usb0 >/dev/null
    sleep 2  # the button poll (1 s) has seen the press and the status poll runs
  fi
  local n0 n1
  n0=$(nanos "$stavio")
  sleep "$seconds"
  n1=$(nanos "$stavio")
  kill "$stavio"; wait "$stavio" 2>/dev/null || true
  stavio=
  echo $((n1 - n0))
  awk -v name="$name" -v ns=$((n1 - n0)) -v s="$seconds" 'BEGIN {
    printf "%-36s %.3f %% of one core (%.1f ms)\n", name, 100 * ns / 1e9 / s, ns / 1e6 }' >&2
}
echo "over $seconds s each, Stavio -S on the demo machine:" >&2
idle=$(measure "idle" no)
polling=$(measure "during a WPS run (200 ms poll)" yes)
awk -v a="$idle" -v b="$polling" -v s="$seconds" 'BEGIN {
  polls = s * 5
  printf "the poll: %.3f %% of one core, %.1f us per poll (%d polls)\n",
         100 * (b - a) / 1e9 / s, (b - a) / 1e3 / polls, polls }' >&2
