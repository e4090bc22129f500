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
  . "$(dirname "$0")/window-steps.sh"
  copy_program "$1" "$2" || exit 2
  with_xvfb 1280x1024x24 "$0" --inner "${@:2}"
  exit $?
fi
work=$2 text=$3
shift 3
unset QT_QPA_PLATFORM  # the tests run offscreen; the program must use the X server
cd "$work" || exit 2

. "$(dirname "$0")/window-steps.sh"
start_window "$text"
echo "window $X $Y"
xdotool windowfocus --sync "$wid"
sleep 1
if [ $# -eq 0 ]; then
  click_page
  sleep 4
  import -window root shot.png
fi
n=0
for action in "$@"; do
  if [ "$action" = click ]; then
    click_page
  else
    xdotool key "$action"
  fi
  sleep 1.5
  n=$((n + 1))
  import -window root "shot$n.png"
done
wait_exit 30 || { kill "$pid"; [ $# -gt 0 ] && echo "still running"; }
wait "$pid" 2>/dev/null
exit 0
