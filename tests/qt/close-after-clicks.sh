#!/bin/bash
# close-after-clicks.sh QUILLANE SEND_CLOSE WORKDIR TEXTFILE RUNS: starts a copy
# of QUILLANE in WORKDIR on a virtual X server RUNS times; each time it turns
# four pages with mouse clicks while taking screenshots, then asks the window
# to close once. Prints one line per run and "ignored N of RUNS"; exits 1 when
# any run needed more than the one request, or did not write its settings.
set -u
if [ "${1:-}" != --inner ]; then
  cp "$1" "$3/quillane" || exit 2
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" --inner "$(realpath "$2")" "$3" "$4" "$5"
fi
sendClose=$2 work=$3 text=$4 runs=$5
unset QT_QPA_PLATFORM  # the tests run offscreen; the program must use the X server
cd "$work" || exit 2
ignored=0 unwritten=0
for run in $(seq 1 "$runs"); do
  rm -f quillane.ini
  ./quillane "$text" >>quillane.log 2>&1 &
  pid=$! wid=""
  for i in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Quillane $' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  if [ -z "$wid" ]; then kill "$pid"; wait "$pid"; echo "run $run: no window"; exit 3; fi
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  sleep 2
  # The page view sits at (1, 1) inside its panel at (18, 44).
  for i in 1 2 3 4; do
    xdotool mousemove $((X + 19 + 320)) $((Y + 45 + 240)) click 1
    sleep 1.5
    import -window root "shot$i.png"
  done
  "$sendClose" "$wid"
  for i in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    ignored=$((ignored + 1))
    echo "run $run: the first close request was ignored"
    "$sendClose" "$wid"
    sleep 5
    kill "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  if [ ! -s quillane.ini ]; then
    unwritten=$((unwritten + 1))
    echo "run $run: no settings written"
  fi
done
echo "ignored $ignored of $runs"
[ "$ignored" -eq 0 ] && [ "$unwritten" -eq 0 ]
