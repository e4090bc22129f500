#!/bin/bash
# e2e-window.sh QUILLANE WORKDIR TEXTFILE: runs a copy of QUILLANE in WORKDIR
# under a virtual X server with TEXTFILE, clicks the page and writes
# WORKDIR/shot.png of the screen; prints "window X Y" (the client origin).
set -u
if [ "${1:-}" != --inner ]; then
  cp "$1" "$2/quillane" || exit 2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$2" "$3"
fi
work=$2 text=$3
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
sleep 1
# The page view sits at (1, 1) inside its panel at (18, 44).
xdotool mousemove $((X + 19 + 320)) $((Y + 45 + 240)) click 1
sleep 4
import -window root shot.png
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
