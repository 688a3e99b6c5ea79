# shellcheck shell=bash
# Sourced by the scripts: an X server of its own on a free display, with two
# monitors: the primary 1024 x 768 at (0, 0) and 1280 x 1024 at (1024, 0).
# -noreset keeps the monitors when the last client disconnects.

# Starts an Xvfb whose RandR monitors are the two, logging to $1/xvfb.log;
# exports DISPLAY and sets xvfb_pid, which the caller kills when done.
start_two_monitor_xvfb() {
  start_x_server "$1" Xvfb -screen 0 2304x1024x24
  xrandr --setmonitor '*LEFT' 1024/271x768/203+0+0 screen >/dev/null
  xrandr --setmonitor RIGHT 1280/339x1024/271+1024+0 none >/dev/null
}

# The same with Xorg's dummy driver, whose two outputs are the monitors, for
# Wine: Wine 10 takes its monitors from RandR outputs only. Xorg runs as any
# user and on no console of its own.
start_two_monitor_xorg() {
  start_x_server "$1" /usr/lib/xorg/Xorg -config "$(dirname "${BASH_SOURCE[0]}")/two-monitor-xorg.conf" \
    -logfile "$1/xorg.log" -novtswitch -keeptty -sharevts
}

# Starts the X server "$2 ..." on a free display, logging to $1/xvfb.log.
start_x_server() {
  local scratch="$1" number
  shift
  : >"$scratch/xvfb.display"
  "$@" -displayfd 3 -nolisten tcp -noreset 3>"$scratch/xvfb.display" >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  # The server writes the display number, and a line end, once it accepts clients.
  for _ in $(seq 100); do
    [ "$(wc -l <"$scratch/xvfb.display")" -ge 1 ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; return 1; }
    sleep 0.1
  done
  number="$(cat "$scratch/xvfb.display")"
  [ -n "$number" ] || { echo "$1 did not start in 10 s" >&2; return 1; }
  export DISPLAY=":$number"
}
