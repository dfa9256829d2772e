#!/usr/bin/env bash
# Measures Stavio -S on the demo machine beside a minimal Qt Widgets program: the time from start
# until its event loop runs (KAVO9_QUIT_WHEN_STARTED makes it quit there), the peak memory of
# that run, and the CPU used while idle over a minute (ticks running, no window).
#
#   station/shell/controller/bench/measure_stavio.sh [BUILD_DIR] [IDLE_SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../../.." && pwd)
build=${1:-$source_dir/build}
idle=${2:-60}
bin=$build/bin
machine=$(mktemp -d /tmp/k9measureXXXXXX)
export QT_QPA_PLATFORM=offscreen
cleanup() {
  [[ -n ${stavio:-} ]] && kill "$stavio" 2>/dev/null && wait "$stavio" 2>/dev/null || true
  [[ -n ${daemon:-} ]] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null || true
  rm -rf "$machine"
}
trap cleanup EXIT

"$build/bench/controller_init_machine" "$source_dir/sim/scenarios/demo.json" "$machine"
"$bin/kavo9-simd" --machine "$machine" 2>/dev/null &
daemon=$!
for _ in $(seq 100); do [[ -S $machine/run/simd.sock ]] && break; sleep 0.05; done

# ms and KiB of one run: "elapsed_ms maxrss_kib"
run() {
  local start end rss
  start=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$machine/rss.tmp" "$@" >/dev/null 2>&1
  rss=$(tail -1 "$machine/rss.tmp")
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000000 )) $rss"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for name in qt stavio; do
  : > "$machine/$name.times"; : > "$machine/$name.rss"
  for _ in $(seq 11); do
    if [[ $name == qt ]]; then
      set -- $(run "$build/bench/qt_minimal")
    else
      set -- $(KAVO9_QUIT_WHEN_STARTED=1 run "$bin/Stavio" -S --machine "$machine")
    fi
    echo "$1" >> "$machine/$name.times"
    echo "$2" >> "$machine/$name.rss"
  done
done
qt_ms=$(median < "$machine/qt.times"); st_ms=$(median < "$machine/stavio.times")
qt_kib=$(median < "$machine/qt.rss"); st_kib=$(median < "$machine/stavio.rss")
echo "start until the event loop runs (median of 11): minimal Qt ${qt_ms} ms, Stavio -S ${st_ms} ms"
echo "peak memory (median of 11): minimal Qt $((qt_kib / 1024)) MiB, Stavio -S $((st_kib / 1024)) MiB"
awk -v a="$st_ms" -v b="$qt_ms" -v c="$st_kib" -v d="$qt_kib" \
  'BEGIN {printf "ratios: time %.2fx, memory %.2fx\n", a / b, c / d}'

"$bin/Stavio" -S --machine "$machine" 2>/dev/null &
stavio=$!
sleep 3  # past the start and the first ticks
ticks() { awk '{print $14 + $15}' "/proc/$stavio/stat"; }
before=$(ticks)
sleep "$idle"
after=$(ticks)
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" -v s="$idle" \
  'BEGIN {printf "idle CPU of Stavio -S over %d s: %.3f %% of one core (%d clock ticks)\n", s, 100 * t / hz / s, t}'
