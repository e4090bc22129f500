#!/bin/bash
# e2e-books.sh QUILLANE WORKDIR A B: runs a copy of QUILLANE in WORKDIR under a
# virtual X server, twice. On text A: a click shows page 1 (shot1.png), the
# wheel turns down twice (shot2, shot3) and up once (shot4), "n" and 4 go to
# page 4; Ctrl+T closes. On text B: a click, then the menu's "Books" lists B
# and A, and its second entry opens A (shot5.png); Ctrl+T closes. Prints
# "window X Y" for each run and "closed N" (how many runs ended by Ctrl+T).
set -u
if [ "${1:-}" != --inner ]; then
  . "$(dirname "$0")/window-steps.sh"
  copy_program "$1" "$2" || exit 2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inner "${@:2}"
fi
work=$2 a=$3 b=$4
unset QT_QPA_PLATFORM
cd "$work" || exit 2
. "$(dirname "$0")/window-steps.sh"
closed=0
shoot() { sleep 1.5; import -window root "$1"; }

start_window "$a"
echo "window $X $Y"
xdotool windowfocus --sync "$wid"
click_page && shoot shot1.png
xdotool click 5 && shoot shot2.png
xdotool click 5 && shoot shot3.png
xdotool click 4 && shoot shot4.png
xdotool key n && sleep 1 && xdotool key 4 Return && sleep 1.5
# No window manager gives the focus back once the dialog has gone.
xdotool windowfocus --sync "$wid" key ctrl+t
wait_exit 50 && closed=$((closed + 1))

start_window "$b"
echo "window $X $Y"
xdotool windowfocus --sync "$wid"
click_page && sleep 1.5
# The menu opens at the pointer; "Books" is its second item (25 px each) and
# its list opens beside it, level with it, 105 px to the right.
mx=$((X + 100)) my=$((Y + 100))
xdotool mousemove $mx $my click 3 sleep 1 mousemove $((mx + 40)) $((my + 37)) sleep 1.5 \
  mousemove $((mx + 160)) $((my + 37)) mousemove $((mx + 160)) $((my + 62)) sleep 0.5 click 1
shoot shot5.png
xdotool key ctrl+t
wait_exit 50 && closed=$((closed + 1))
echo "closed $closed"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
