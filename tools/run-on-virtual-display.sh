#!/bin/sh
# tools/run-on-virtual-display.sh :N PROGRAM [ARGUMENT...]
# Runs PROGRAM on a virtual screen of its own: starts Xvfb as display :N, runs PROGRAM there to its
# end and stops Xvfb again. For `make run` on a machine without a display; needs xvfb.
set -eu
display=$1
shift
number=${display#:}
if [ -e "/tmp/.X$number-lock" ]; then
  echo "$0: display $display is taken; choose another, as in make run XVFB_DISPLAY=:$((number + 1))" >&2
  exit 1
fi
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
# The server takes connections once its socket is there.
tries=0
until [ -S "/tmp/.X11-unix/X$number" ]; do
  if ! kill -0 "$server" 2>/dev/null || [ "$tries" -ge 100 ]; then
    echo "$0: Xvfb did not start as display $display" >&2
    exit 1
  fi
  tries=$((tries + 1))
  sleep 0.1
done
DISPLAY=$display "$@"
