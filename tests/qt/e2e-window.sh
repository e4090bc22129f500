#!/bin/bash
# Runs the window under a virtual X server, clicks the page, and takes a
# screenshot of the whole screen.
#   e2e-window.sh QUILLANE WORKDIR TEXTFILE
# Copies QUILLANE into WORKDIR (its settings file and exports land there),
# starts it with TEXTFILE, left-clicks the middle of the page, waits for the
# page to be drawn and writes WORKDIR/shot.png. Prints "window X Y" (the
# window's client origin on the screen). Exit status 0 on success.
set -u
if [ "${1:-}" != --inner ]; then
  program=$1 work=$2
  cp "$program" "$work/quillane" || exit 2
  # The script runs itself again inside the virtual X server.
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$work" "$3"
fi
work=$2 text=$3
# The tests run on the offscreen platform; the program must use the X server.
unset QT_QPA_PLATFORM
cd "$work" || exit 2

inner() {
  ./quillane "$text" >quillane.log 2>&1 &
  local pid=$! wid="" i
  for i in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Quillane $' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  if [ -z "$wid" ]; then kill "$pid"; echo "no window"; return 3; fi
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  echo "window $X $Y"
  sleep 1
  # The page view sits at (1, 1) inside its panel at (18, 44).
  xdotool mousemove $((X + 19 + 320)) $((Y + 45 + 240)) click 1
  sleep 4
  import -window root shot.png
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}
inner
