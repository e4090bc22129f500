# Steps the window scripts share; source it after changing into the work folder.

# copy_program QUILLANE FOLDER: a copy of the built program in FOLDER with its
# help page beside it, as in the build folder, so that it keeps its settings
# and books in FOLDER rather than in the user's folders.
copy_program() {
  cp "$1" "$2/quillane" && mkdir -p "$2/help" && cp "$(dirname "$1")/help/index.htm" "$2/help/"
}

# start_window TEXTFILE: starts ./quillane on the text and waits for its window;
# sets pid, wid and the client origin X, Y. Prints "no window" and exits 3 when
# none appears within 10 s.
start_window() {
  ./quillane "$1" >>quillane.log 2>&1 &
  pid=$! wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Quillane $' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  if [ -z "$wid" ]; then kill "$pid"; wait "$pid" 2>/dev/null; echo "no window"; exit 3; fi
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}

# click_page: a left click in the middle of the page view, which sits at (1, 1)
# inside its panel at (18, 44).
click_page() {
  xdotool mousemove $((X + 19 + 320)) $((Y + 45 + 240)) click 1
}

# wait_exit [TENTHS]: waits up to TENTHS tenths of a second (default 100) for the
# program to end; fails when it still runs.
wait_exit() {
  for _ in $(seq 1 "${1:-100}"); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$pid" 2>/dev/null
}

# with_xvfb SCREEN COMMAND...: runs COMMAND with DISPLAY set to a virtual X
# server of its own (SCREEN as in "1280x1024x24"), and stops the server after.
# The server picks a free display itself (-displayfd), so window tests that run
# side by side never race for one number, as `xvfb-run -a` can.
with_xvfb() {
  local screen=$1 fifo display status
  shift
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/quillane-xvfb.XXXXXX") && mkfifo "$fifo" || return 2
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  local server=$!
  read -r -t 30 display <"$fifo"
  rm -f "$fifo"
  if [ -z "$display" ]; then kill "$server" 2>/dev/null; echo "no X server"; return 3; fi
  DISPLAY=":$display" "$@"
  status=$?
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  return "$status"
}
