# shellcheck shell=bash
# Sourced by the scripts: an Xvfb of its own on a free display, with two RandR
# monitors: the primary 1024 x 768 at (0, 0) and 1280 x 1024 at (1024, 0).
# -noreset keeps the monitors when the last client disconnects.

# Starts the server, logging to $1/xvfb.log; exports DISPLAY and sets xvfb_pid,
# which the caller kills when done.
start_two_monitor_xvfb() {
  local scratch="$1" number
  : >"$scratch/xvfb.display"
  Xvfb -displayfd 3 -screen 0 2304x1024x24 -nolisten tcp -noreset \
    3>"$scratch/xvfb.display" >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  # Xvfb writes the display number, and a line end, once it accepts clients.
  for _ in $(seq 100); do
    [ "$(wc -l <"$scratch/xvfb.display")" -ge 1 ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; return 1; }
    sleep 0.1
  done
  number="$(cat "$scratch/xvfb.display")"
  [ -n "$number" ] || { echo "Xvfb did not start in 10 s" >&2; return 1; }
  export DISPLAY=":$number"
  xrandr --setmonitor '*LEFT' 1024/271x768/203+0+0 screen >/dev/null
  xrandr --setmonitor RIGHT 1280/339x1024/271+1024+0 none >/dev/null
}
