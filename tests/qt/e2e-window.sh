#!/bin/bash
# e2e-window.sh QUILLANE WORKDIR TEXTFILE [ACTION...]: runs a copy of QUILLANE in
# WORKDIR under a virtual X server with TEXTFILE and prints "window X Y" (the client
# origin). Each ACTION is "click" (a left click on the page) or a key name for
# xdotool ("space", "BackSpace", "z", "ctrl+t"); after each the screen is written
# to WORKDIR/shot<N>.png. Without actions it clicks once and writes shot.png.
# Prints "still running" when the program has not ended a few seconds after the
# last action.
set -u
if [ "${1:-}" != --inner ]; then
  cp "$1" "$2/quillane" || exit 2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "${@:2}"
fi
work=$2 text=$3
shift 3
unset QT_QPA_PLATFORM  # the tests run offscreen; the program must use the X server
cd "$work" || exit 2

./quillane "$text" >quillane.log 2>&1 &
pid=$! wid=""
for i in $(seq 1 100); do
  wid=$(xdotool search --onlyvisible --name '^Quillane $' 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  sleep 0.1
done
if [ -z "$wid" ]; then kill "$pid"; echo "no window"; exit 3; fi
eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "window $X $Y"
xdotool windowfocus --sync "$wid"
sleep 1
if [ $# -eq 0 ]; then
  # The page view sits at (1, 1) inside its panel at (18, 44).
  xdotool mousemove $((X + 19 + 320)) $((Y + 45 + 240)) click 1
  sleep 4
  import -window root shot.png
fi
n=0
for action in "$@"; do
  if [ "$action" = click ]; then
    xdotool mousemove $((X + 19 + 320)) $((Y + 45 + 240)) click 1
  else
    xdotool key "$action"
  fi
  sleep 1.5
  n=$((n + 1))
  import -window root "shot$n.png"
done
for i in $(seq 1 30); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null && [ $# -gt 0 ] && echo "still running"
wait "$pid" 2>/dev/null
exit 0
