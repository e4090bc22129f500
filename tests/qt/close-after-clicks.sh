#!/bin/bash
# close-after-clicks.sh QUILLANE SEND_CLOSE WORKDIR TEXTFILE RUNS: starts a copy
# of QUILLANE in WORKDIR on a virtual X server RUNS times; each time it turns
# four pages with mouse clicks while taking screenshots, then asks the window
# to close once. Prints one line per run and "ignored N of RUNS"; exits 1 when
# any run needed more than the one request, or did not write its settings.
set -u
if [ "${1:-}" != --inner ]; then
  . "$(dirname "$0")/window-steps.sh"
  copy_program "$1" "$3" || exit 2
  with_xvfb 1280x900x24 "$0" --inner "$(realpath "$2")" "$3" "$4" "$5"
  exit $?
fi
sendClose=$2 work=$3 text=$4 runs=$5
unset QT_QPA_PLATFORM  # the tests run offscreen; the program must use the X server
cd "$work" || exit 2
. "$(dirname "$0")/window-steps.sh"
ignored=0 unwritten=0
for run in $(seq 1 "$runs"); do
  rm -f quillane.ini
  start_window "$text"
  sleep 2
  for i in 1 2 3 4; do
    click_page
    sleep 1.5
    import -window root "shot$i.png"
  done
  "$sendClose" "$wid"
  if ! wait_exit; then
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
