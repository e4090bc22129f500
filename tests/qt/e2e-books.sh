#!/bin/bash
# e2e-books.sh QUILLANE WORKDIR A B: on A, a click and the wheel (shot1-4.png), "n"
# 4 and Ctrl+T; on B, a click, the menu's "Books" (second item) > second book (A)
# and Ctrl+T. Prints "window X Y" and "closed N" (runs that Ctrl+T ended).
set -u
if [ "${1:-}" != --inner ]; then
  . "$(dirname "$0")/window-steps.sh"
  copy_program "$1" "$2" || exit 2
  with_xvfb 1280x1024x24 "$0" --inner "${@:2}"
  exit $?
fi
unset QT_QPA_PLATFORM
cd "$2" || exit 2
. "$(dirname "$0")/window-steps.sh"
closed=0
close() { # no window manager gives the focus back once a dialog has gone
  xdotool windowfocus --sync "$wid" key ctrl+t
  wait_exit 50 && closed=$((closed + 1))
}
start_window "$3"
echo "window $X $Y"
for step in 1:click_page "2:xdotool click 5" "3:xdotool click 5" "4:xdotool click 4"; do
  ${step#*:} && sleep 1.5 && import -window root "shot${step%%:*}.png"
done
xdotool key n sleep 1 key 4 Return sleep 1.5
close
start_window "$4"
click_page && sleep 1.5
mx=$((X + 100)) my=$((Y + 100))
xdotool mousemove $mx $my click 3 sleep 1 mousemove $((mx + 40)) $((my + 37)) sleep 1.5 \
  mousemove $((mx + 160)) $((my + 37)) mousemove $((mx + 160)) $((my + 62)) sleep 0.5 click 1 sleep 1.5
close
echo "closed $closed"
exit 0
