# Sourced by the scripts that need an X display: when none is set, starts a virtual one (Xvfb,
# drawn by Mesa's llvmpipe) for as long as the calling script runs, and waits until it answers.
xvfb_pid=""
stop_virtual_display() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_virtual_display EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  # -noreset: by default the server resets whenever its last client leaves, and a client that
  # connects during that reset is refused.
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY="$display"
  for _ in $(seq 1 100); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
  done
fi
export LIBGL_ALWAYS_SOFTWARE=1
