# Shared by the scripts: starts the simulated machine's daemons and stops them on exit.
#   start_machine MACHINE_DIR SCENARIO   (creates the machine from the scenario when it is new)
bin="$PWD/build/bin"
machine_pids=()

stop_machine() {
  for pid in "${machine_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}

start_machine() {
  local machine="$1" scenario="$2"
  export KAVO9_MACHINE="$machine"
  if [ ! -f "$machine/machine.json" ]; then
    "$bin/kavo9-sim" --machine "$machine" init "$scenario"
  fi
  trap stop_machine EXIT INT TERM
  "$bin/kavo9-simd" --machine "$machine" >"$machine/simd.log" 2>&1 &
  machine_pids+=($!)
  "$bin/kavo9-regsvc" --machine "$machine" >"$machine/regsvc.log" 2>&1 &
  machine_pids+=($!)
  for _ in $(seq 50); do [ -S "$machine/run/simd.sock" ] && return 0; sleep 0.1; done
  echo "the system daemon did not start; see $machine/simd.log" >&2
  return 1
}
