# Shared by the scripts: starts the simulated machine's daemons and stops them on exit.
#   start_machine MACHINE_DIR SCENARIO   (creates the machine from the scenario when it is new)
#   offscreen MACHINE_DIR                Qt draws without a display; see below
# The pids of what was started are in machine_pids (the system daemon first, then the registry
# service); each is stopped, and waited for, when the script ends.
bin="$PWD/build/bin"
machine_pids=()

stop_machine() {
  local pid
  for pid in "${machine_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${machine_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}

start_machine() {
  local machine="$1" scenario="$2"
  export KAVO9_MACHINE="$machine"
  if [ ! -f "$machine/machine.json" ]; then
    "$bin/kavo9-sim" --machine "$machine" init "$scenario" >/dev/null
  fi
  trap stop_machine EXIT
  trap 'exit 130' INT TERM
  "$bin/kavo9-simd" --machine "$machine" >"$machine/simd.log" 2>&1 &
  machine_pids+=($!)
  "$bin/kavo9-regsvc" --machine "$machine" >"$machine/regsvc.err" 2>&1 &
  machine_pids+=($!)
  for _ in $(seq 50); do [ -S "$machine/run/simd.sock" ] && return 0; sleep 0.1; done
  echo "the system daemon did not start; see $machine/simd.log" >&2
  return 1
}

# Without a display there is no desktop session either: Qt draws offscreen, gets a runtime folder
# of its own in the machine, and no session bus, so nothing is started on its behalf that would
# outlive the script.
offscreen() {
  export QT_QPA_PLATFORM="offscreen:configfile=$PWD/cmake/testing/screen-1920x1200.json" XDG_RUNTIME_DIR="$1/run/xdg" DBUS_SESSION_BUS_ADDRESS="disabled:"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}
