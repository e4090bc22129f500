#!/bin/bash
# e2e-keys.sh QUILLANE WORKDIR TEXTFILE: runs a copy of QUILLANE in WORKDIR under a
# virtual X server with TEXTFILE and types at it: Space three times, Backspace once,
# then "z", writing WORKDIR/key<N>.png after each key; Ctrl+T then closes the
# window, which writes WORKDIR/quillane.ini. Prints "window X Y".
set -u
if [ "${1:-}" != --inner ]; then
  cp "$1" "$2/quillane" || exit 2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "$2" "$3"
fi
work=$2 text=$3
unset QT_QPA_PLATFORM
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
n=0
for key in space space space BackSpace z; do
  xdotool key "$key"
  sleep 1.5
  n=$((n + 1))
  import -window root "key$n.png"
done
xdotool key ctrl+t
for i in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null && echo "still running"
wait "$pid" 2>/dev/null
exit 0
