# Sourced by the scripts that need a virtual X display (bench/desktop-bench,
# scripts/wayland-check): start_display WxH starts Xvfb on a display number the server picks
# itself (-displayfd: no race with another server starting at the same time) and exports
# DISPLAY; stop_display stops it. Needs Xvfb and xdotool.
xvfb=""

stop_display() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  xvfb=""
}

start_display() {
  local size=$1 number="" told
  told=$(mktemp)
  # The server writes its display number to descriptor 3 once it accepts connections.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$told" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 200); do
    number=$(head -n 1 "$told")
    [[ "$number" =~ ^[0-9]+$ ]] && break
    number=""
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$told"
  if [ -n "$number" ]; then
    export DISPLAY=":$number"
    for _ in $(seq 100); do
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      sleep 0.05
    done
  fi
  stop_display
  echo "$(basename "$0"): no Xvfb display could be started" >&2
  exit 1
}
