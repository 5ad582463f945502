# Sourced by the scripts that need a virtual X display (bench/desktop-bench,
# scripts/wayland-check): start_display WxH starts Xvfb on the first free display number and
# exports DISPLAY; stop_display stops it. Needs Xvfb and xdotool.
xvfb=""

stop_display() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  xvfb=""
}

start_display() {
  local size=$1 n
  for n in $(seq 90 160); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
      sleep 0.05
    done
    stop_display
  done
  echo "$(basename "$0"): no Xvfb display could be started" >&2
  exit 1
}
