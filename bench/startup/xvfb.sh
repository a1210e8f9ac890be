# shellcheck shell=bash
# Sourced by the start-up scripts: a virtual X server without a window
# manager, stopped with the script; the work folder goes with it.
#   require_built NAME FILE...   (exits 2 when a program or Xvfb is missing)
#   start_xvfb WORK   (sets DISPLAY, exits 2 when the server does not start)

XVFB_PID=""
XVFB_WORK=""
stop_xvfb() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    [ -n "$XVFB_WORK" ] && rm -rf "$XVFB_WORK"
    return 0
}

require_built() {
    local name=$1 f
    shift
    for f in "$@"; do
        [ -x "$f" ] || { echo "$name: $f is not built (needs xvfb, libxcb-damage0-dev and libxcb-xtest0-dev)" >&2; exit 2; }
    done
    command -v Xvfb >/dev/null || { echo "$name: Xvfb is not installed" >&2; exit 2; }
}

start_xvfb() {
    XVFB_WORK=$1
    trap stop_xvfb EXIT
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$XVFB_WORK/display" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$XVFB_WORK/display" ] && break
        sleep 0.05
    done
    [ -s "$XVFB_WORK/display" ] || { echo "startup: Xvfb did not start" >&2; exit 2; }
    export DISPLAY=":$(head -n1 "$XVFB_WORK/display")"
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
}
