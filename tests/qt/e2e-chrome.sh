#!/bin/bash
# e2e-chrome.sh QUILLANE WORKDIR TEXTFILE: runs a copy of QUILLANE in WORKDIR under
# a virtual X server with a tray host (trayer) and walks through the window's
# chrome, printing what it finds as "name values" lines and writing screenshots:
# "window X Y" (origin), "root R G B" / "corner R G B" (far off, and just outside the
# rounded corner), "dragged X Y" (after a drag by +90, +40), "menu X Y" (menu.png),
# "hint X Y" (balloon tip, hint.png), credits.png, "hidden N" / "back N"
# (windows shown after "Small", and after a click on the tray icon), "closed 1".
set -u
if [ "${1:-}" != --inner ]; then
  . "$(dirname "$0")/window-steps.sh"
  copy_program "$1" "$2" || exit 2
  with_xvfb 1280x1024x24 "$0" --inner "${@:2}"
  exit $?
fi
work=$2 text=$3
unset QT_QPA_PLATFORM
cd "$work" || exit 2
. "$(dirname "$0")/window-steps.sh"
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
origin() { eval "$(xdotool getwindowgeometry --shell "$wid")"; }

trayer --edge bottom --align right --width 10 --height 32 >trayer.log 2>&1 &
tray=$!; sleep 1
start_window "$text"
echo "window $X $Y"
xdotool windowfocus --sync "$wid"
sleep 1.5
import -window root outline.png
echo "root $(pixel outline.png 1270 20)"
echo "corner $(pixel outline.png $((X + 1)) $((Y + 1)))"

xdotool mousemove $((X + 300)) $((Y + 20)) mousedown 1 sleep 0.2 mousemove $((X + 390)) $((Y + 60)) \
  sleep 0.2 mouseup 1
sleep 0.5
origin
echo "dragged $X $Y"

mx=$((X + 400)) my=$((Y + 20))
xdotool mousemove $mx $my click 3
sleep 1
import -window root menu.png
echo "menu $mx $my"
xdotool key Escape
sleep 0.5

# Resting on "Open" (672, 46, 62 x 20) shows its hint in a balloon under it.
hx=$((X + 703)) hy=$((Y + 66))
xdotool mousemove $hx $((hy - 8))
sleep 1.2
import -window root hint.png
echo "hint $hx $hy"

# The credits card ("About" at 761, 232, 56 x 20).
xdotool mousemove $((X + 789)) $((Y + 242)) click 1
sleep 3
import -window root credits.png

# "Small" hides the window into the tray; a click on the icon brings it back.
xdotool mousemove $((X + 839)) $((Y + 550)) click 1
sleep 1.5
echo "hidden $(xdotool search --onlyvisible --name '^Quillane $' | grep -c .)"
# The icon is the only one in the tray host at the bottom right of the screen.
xdotool mousemove 1264 1008 click 1
sleep 1.5
echo "back $(xdotool search --onlyvisible --name '^Quillane $' | grep -c .)"
# Hidden again, "Close" of the tray menu (which opens up and left of the pointer) ends it.
xdotool mousemove $((X + 839)) $((Y + 550)) click 1 sleep 1.5 mousemove 1264 1008 click 3 \
  sleep 1 mousemove 1250 995 click 1 sleep 2
echo "closed $(kill -0 "$pid" 2>/dev/null; echo $?)"
kill "$pid" "$tray" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
