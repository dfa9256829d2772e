# The access-point side of the demo (scripts/demo --ap), offscreen: the running Stavio's tray
# menu switches to access-point mode, TsSwap starts Hostira, stations join, and the utility that
# runs at the end is stopped with the machine. Needs machine.sh and a running Stavio -S.

# The pid of the program TsSwap started last.
utility_pid() {
  grep -o 'started [A-Za-z]* (pid [0-9]*' "$1/run/tsswap.log" 2>/dev/null | tail -n 1 |
    grep -o '[0-9]*$'
}

# Waits until the running utility's tip starts with $2 (its program's icon is up).
wait_for_tip() {
  local machine="$1" tip="$2"
  for _ in $(seq 100); do
    if "$bin/kavo9-sim" --machine "$machine" tray state 2>/dev/null | grep -q "\"tip\": \"$tip"; then
      return 0
    fi
    sleep 0.1
  done
  echo "the utility's icon did not come up (see $machine/run/*.log)" >&2
  return 1
}

ap_side() {
  local machine="$1" sim="$bin/kavo9-sim --machine $1" pid
  echo
  echo "The tray's \"Switch to AP Mode\": Stavio ends, TsSwap reloads the driver and starts Hostira."
  $sim tray click right >/dev/null
  $sim tray pick 32773 >/dev/null
  wait_for_tip "$machine" "Norvik Kavo9" || return 1
  pid=$(utility_pid "$machine")
  [ -n "$pid" ] && machine_pids+=("$pid")
  sed 's/^/  /' "$machine/run/tsswap.log" | tail -n 4
  sleep 2.5  # the first ticks: stations join, connection sharing hands out leases
  echo "Hostira runs the access point (pid $pid):"
  $sim ap usb0 list | sed 's/^/  /'
  echo "Connection sharing:"
  $sim ics status | sed 's/^/  /'
  cat <<TEXT

Try:
  $sim ap usb0 join --mac 02-00-00-00-00-09 --ssid SoftAP-01 --name visitor
  $sim tray state                      Hostira's icon and tip
  $sim tray click right; $sim tray pick 32778   "Switch to Station Mode": back to Stavio
Press Ctrl-C to stop the demo.
TEXT
  while :; do
    pid=$(utility_pid "$machine")
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
      [[ " ${machine_pids[*]} " == *" $pid "* ]] || machine_pids+=("$pid")
      sleep 1
    else
      sleep 1
      pid=$(utility_pid "$machine")
      [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && continue
      echo "The utility has ended."
      return 0
    fi
  done
}
