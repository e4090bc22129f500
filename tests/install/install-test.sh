#!/bin/bash
# install-test.sh BUILD_DIR: installs the build into a scratch DESTDIR, moves
# the installed tree elsewhere (a relocated copy must still find its data),
# makes it read-only, and runs it as a user would: quillane-cli on a text, then
# the window under a virtual X server with a private HOME, turning pages,
# asking for help and closing. Prints one line per failed check; exit 1 if any.
set -u
if [ "${1:-}" = --window ]; then
  shift
  # --- runs under xvfb-run, as the unprivileged user ---------------------
  tree=$1 text=$2
  unset QT_QPA_PLATFORM # ctest sets offscreen; the window needs the X server
  "$tree/bin/quillane" "$text" >"$HOME/quillane.log" 2>&1 &
  pid=$! wid=""
  for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --pid "$pid" --name '^Quillane' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  if [ -z "$wid" ]; then
    echo "FAIL: the installed window did not open"
    kill "$pid"
    exit 1
  fi
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # Client positions from the control table: the page view's centre, the
  # help button and the Exit button.
  click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }
  sleep 1
  for _ in 1 2 3; do
    click 339 285
    sleep 0.7
  done
  click 843 242
  sleep 0.5
  click 841 574
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: Exit did not close the window"
    kill "$pid"
  fi
  exit 0
fi

build=$(cd "${1:?usage: install-test.sh BUILD_DIR}" && pwd)
fails=0
fail() {
  echo "FAIL: $*"
  fails=$((fails + 1))
}

scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
DESTDIR="$scratch/dest" cmake --install "$build" --prefix /usr >/dev/null || exit 1
tree=$scratch/moved
mv "$scratch/dest/usr" "$tree"

# --- what was installed -------------------------------------------------
for f in bin/quillane bin/quillane-cli share/applications/quillane.desktop \
  share/man/man1/quillane.1.gz share/man/man1/quillane-cli.1.gz; do
  [ -s "$tree/$f" ] || fail "$f is not installed"
done
while read -r name; do
  [ -z "$name" ] || [ -s "$tree/share/quillane/$name" ] || fail "data file $name is not installed"
done <"$build/data-files.txt"
for size in 48 128 256; do
  got=$(identify -format '%wx%h' "$tree/share/icons/hicolor/${size}x${size}/apps/quillane.png" 2>&1)
  [ "$got" = "${size}x${size}" ] || fail "icon ${size}: $got"
done
desktop-file-validate "$tree/share/applications/quillane.desktop" || fail "desktop entry invalid"
xmllint --html --noout "$tree/share/quillane/help/index.htm" 2>&1 | grep . && fail "help page does not parse"

# --- the command-line tool of the installed copy ---------------------------
home=$scratch/home
mkdir -p "$home/config" "$home/data" "$home/run" "$home/bin"
chmod 700 "$home/run"
# Twelve pages' worth of lines of "あいうえお…", Shift-JIS.
text=$home/story.txt
for i in $(seq 1 60); do echo "第${i}行　あいうえおかきくけこさしすせそたちつてと"; done |
  iconv -f UTF-8 -t SHIFT_JIS >"$text"
version=$(sed -n 's/^project(Quillane VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
[ "$("$tree/bin/quillane-cli" --version)" = "quillane-cli $version" ] || fail "--version"
pages=$("$tree/bin/quillane-cli" pages "$text" | head -1)
case "$pages" in *[1-9]*) ;; *) fail "quillane-cli pages printed '$pages'" ;; esac
"$tree/bin/quillane-cli" render --page 2 "$text" --out "$home/page.png" &&
  [ "$(identify -format '%wx%h' "$home/page.png")" = 640x480 ] || fail "quillane-cli render"

# --- the window: read-only prefix, private HOME and XDG folders ------------
# A stand-in browser records what the help button hands to the desktop.
printf '#!/bin/sh\necho "$1" >>"%s/opened.txt"\n' "$home" >"$home/bin/xdg-open"
chmod 755 "$home/bin/xdg-open"
chmod -R a-w "$tree"
run_as=()
if [ "$(id -u)" = 0 ]; then
  # Root writes into read-only folders anyway: run the window as nobody.
  chown -R nobody "$home"
  run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${run_as[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
  XDG_RUNTIME_DIR="$home/run" PATH="$home/bin:$PATH" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --window "$tree" "$text" || fail "window run"

ini=$home/config/quillane/quillane.ini
if [ -s "$ini" ]; then
  page=$(sed -n '/^\[Form\\FPage\]/,/^\[/s/^Integer=//p' "$ini")
  [ "${page:-0}" -ge 2 ] || fail "pages did not turn (saved page '$page')"
  grep -q "story.txt" "$ini" || fail "the open text is not in the settings"
else
  fail "no settings written to $ini"
  cat "$home/quillane.log"
fi
[ -z "$(find "$tree" -newer "$text" -type f)" ] || fail "the program wrote into its installed tree"
grep -qx "file://$tree/share/quillane/help/index.htm" "$home/opened.txt" 2>/dev/null ||
  fail "help did not open the installed page ($(cat "$home/opened.txt" 2>/dev/null))"

[ "$fails" = 0 ] && echo "install test passed"
[ "$fails" = 0 ]
