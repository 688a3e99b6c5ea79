# shellcheck shell=bash
# Sourced by the scripts that start Quorvane on an Xvfb of their own and
# watch it: they set $scratch (logs in $scratch/*.log) and $program_pid.
# shellcheck disable=SC2034,SC2154  # openbox_pid and program_status are for the caller; it sets $scratch and $program_pid

# Reports the failure with every log of the run, then exits.
fail() {
  echo "$(basename "$0"): $*" >&2
  for log in "$scratch"/*.log; do
    [ -s "$log" ] && { echo "--- $(basename "$log")"; cat "$log"; } >&2
  done
  exit 1
}

# Starts openbox and waits until it manages the windows; sets openbox_pid.
start_openbox() {
  # openbox drops windows mapped while it is still starting, though it has
  # announced itself on the root window: wait for its start-up command. The
  # mark of an openbox started before in the same folder must not count.
  rm -f "$scratch/openbox.started"
  openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml --startup "touch $scratch/openbox.started" \
    >"$scratch/openbox.log" 2>&1 &
  openbox_pid=$!
  for _ in $(seq 100); do
    [ -e "$scratch/openbox.started" ] && return 0
    sleep 0.1
  done
  fail "openbox does not manage the windows"
}

# Waits up to $2 seconds for a visible window whose name matches $1; prints
# its id. Fails at once when the program has ended.
wait_for_window() {
  local id
  for _ in $(seq "$(($2 * 10))"); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)" && [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$program_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Activates the dialog $1 (within $2 seconds), presses Esc and waits up to
# $3 seconds for the program to end; sets program_status.
leave_with_escape() {
  timeout "$2" xdotool windowactivate --sync "$1" || fail "the dialog cannot be activated"
  xdotool key Escape
  for _ in $(seq "$(($3 * 10))"); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$program_pid" 2>/dev/null; then fail "Quorvane still runs $3 s after Esc"; fi
  program_status=0
  wait "$program_pid" || program_status=$?
  program_pid=""
}
