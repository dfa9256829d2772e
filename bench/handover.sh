#!/usr/bin/env bash
# Whole-process timing of the hand-over between the utilities, on a fresh demo machine offscreen:
#   to AP       the tray's "Switch to AP Mode" in Stavio -> Hostira's first tick
#   to station  the tray's "Switch to Station Mode" in Hostira -> Stavio's first tick
# beside the plain start-up of the same program (launch -> first tick) in the same run. Both
# include the 2-second wait for the first tick; the difference is the switching work (Stavio or
# Hostira ending, TsSwap waiting for the single-instance name, reloading the driver, starting the
# other program). Run by hand (not a test): bench/handover.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-3}"
cmake --build build --target Stavio Hostira TsSwap Pickora ICSDHCP kavo9-simd kavo9-regsvc \
  kavo9-sim >/dev/null
source scripts/lib/machine.sh
source scripts/lib/handover.sh
machine=$(mktemp -d /tmp/k9handoverXXXXXX)
trap 'stop_machine; rm -rf "$machine"' EXIT
start_machine "$machine" sim/scenarios/demo.json
offscreen "$machine"
export KAVO9_TIMING=1
sim="$bin/kavo9-sim --machine $machine"
log="$machine/run/timing.log"
now_us() { date +%s%6N; }
# The time of the last "$1 $2" note after line $3 of the timing log (waits for it).
note_after() {
  for _ in $(seq 200); do
    local t
    t=$(tail -n +"$(($3 + 1))" "$log" 2>/dev/null | awk -v p="$1" -v e="$2" '$1==p && $2==e {t=$3} END {print t}')
    [ -n "$t" ] && { echo "$t"; return 0; }
    sleep 0.05
  done
  echo "no '$1 $2' note" >&2
  return 1
}
lines() { wc -l <"$log" 2>/dev/null || echo 0; }
: >"$log"
ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) / 1000 }'; }
printf '%-8s %-28s %-28s\n' round "to AP: switch / plain (ms)" "to station: switch / plain (ms)"
for round in $(seq "$rounds"); do
  # The plain start of Stavio.
  mark=$(lines); launch=$(now_us)
  "$bin/Stavio" -S >>"$machine/stavio.log" 2>&1 &
  stavio=$!
  machine_pids+=("$stavio")
  plainStation=$(ms "$launch" "$(note_after Stavio first-tick "$mark")")
  # Stavio -> Hostira.
  mark=$(lines)
  $sim tray click right >/dev/null
  $sim tray pick 32773 >/dev/null
  pick=$(note_after tray pick-32773 "$mark")
  toAp=$(ms "$pick" "$(note_after Hostira first-tick "$mark")")
  machine_pids+=("$(utility_pid "$machine")")
  # Hostira -> Stavio.
  mark=$(lines)
  $sim tray click right >/dev/null
  $sim tray pick 32778 >/dev/null
  pick=$(note_after tray pick-32778 "$mark")
  toStation=$(ms "$pick" "$(note_after Stavio first-tick "$mark")")
  pid=$(utility_pid "$machine")
  machine_pids+=("$pid")
  kill "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  # The plain start of Hostira.
  mark=$(lines); launch=$(now_us)
  "$bin/Hostira" -S >>"$machine/hostira.log" 2>&1 &
  hostira=$!
  machine_pids+=("$hostira")
  plainAp=$(ms "$launch" "$(note_after Hostira first-tick "$mark")")
  kill "$hostira"
  wait "$hostira" 2>/dev/null || true
  printf '%-8s %-28s %-28s\n' "$round" "$toAp / $plainAp" "$toStation / $plainStation"
done
