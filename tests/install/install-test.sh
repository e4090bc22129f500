#!/bin/bash
# install-test.sh BUILD_DIR: installs the build in a scratch folder, moves it (a
# moved copy must still find its data), makes it read-only and runs it as a user:
# quillane-cli on a text, then the window under Xvfb with a private HOME.
set -u
if [ "${1:-}" = --window ]; then # under xvfb-run, as the unprivileged user
  unset QT_QPA_PLATFORM           # ctest sets offscreen; the window needs X
  "$2/bin/quillane" "$3" >"$HOME/quillane.log" 2>&1 & pid=$!
  for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --pid $pid --name '^Quillane' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || { echo "FAIL: no window"; kill $pid; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # From the control table: the page's centre three times, "ajs" (its box of
  # the time taken closed with Return), "help", "Exit".
  for at in 339,285 339,285 339,285 695,482 Return 843,242 841,574; do
    sleep 0.7
    if [ "$at" = Return ]; then sleep 2 && xdotool key Return && continue; fi
    xdotool mousemove $((X + ${at%,*})) $((Y + ${at#*,})) click 1
  done
  for _ in $(seq 200); do kill -0 $pid 2>/dev/null && sleep 0.1; done
  kill $pid 2>/dev/null && exit 1 # Exit did not close the window
  exit 0
fi

build=$(cd "${1:?usage: install-test.sh BUILD_DIR}" && pwd)
fails=0
fail() { echo "FAIL: $*" && fails=$((fails + 1)); }
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch" && cp "$0" "$scratch/run" # the user may not reach this folder
DESTDIR="$scratch/dest" cmake --install "$build" --prefix /usr >/dev/null || exit 1
tree=$scratch/moved home=$scratch/home
mv "$scratch/dest/usr" "$tree"

for f in bin/quillane bin/quillane-cli share/man/man1/quillane.1.gz \
  share/man/man1/quillane-cli.1.gz $(sed 's|^.|share/quillane/&|' "$build/data-files.txt"); do
  [ -s "$tree/$f" ] || fail "$f is not installed"
done
icons=$(identify -format '%w ' "$tree"/share/icons/hicolor/{48x48,128x128,256x256}/apps/quillane.png)
[ "$icons" = "48 128 256 " ] || fail "icon sizes '$icons'"
desktop-file-validate "$tree/share/applications/quillane.desktop" || fail "desktop entry"

mkdir -p "$home/bin" && mkdir -m 700 "$home/run"
text=$home/story.txt # sixty lines of two columns each: at least nine pages
for i in $(seq 60); do echo "第${i}行　あいうえおかきくけこさしすせそたちつてと"; done |
  iconv -f UTF-8 -t SHIFT_JIS >"$text"
version=quillane-cli\ $(sed -n "s/^CMAKE_PROJECT_VERSION:STATIC=//p" "$build/CMakeCache.txt")
[ "$("$tree/bin/quillane-cli" --version)" = "$version" ] || fail "--version"
bare=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tree/bin/quillane") # no display
[ "$("${bare[@]}" --version)" = "${version/-cli/}" ] || fail "quillane --version"
"${bare[@]}" --help | grep -q '^usage: quillane \[FILE\]' || fail "quillane --help"
said=$("${bare[@]}" "$text" 2>&1)
[ $? = 1 ] && [[ $said == "quillane: no display"* ]] || fail "without a display: '$said'"
pages=$("$tree/bin/quillane-cli" pages "$text" | sed -n '1s/^pages //p')
[ "${pages:-0}" -ge 9 ] || fail "quillane-cli pages counted '$pages'"

# A stand-in browser records what the help button hands to the desktop.
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$home" >"$home/bin/xdg-open"
chmod 755 "$home/bin/xdg-open"
chmod -R a-w "$tree"
chmod a+w "$tree/bin" # as /usr/bin is to root: writable, yet an installed copy keeps out of it
run_as=()
if [ "$(id -u)" = 0 ]; then # root writes into read-only folders: run as nobody
  chown -R nobody "$home"
  run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${run_as[@]}" env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
  XDG_RUNTIME_DIR="$home/run" PATH="$home/bin:$PATH" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$scratch/run" --window "$tree" "$text" || fail "window run"

ini=$home/config/quillane/quillane.ini
page=$(sed -n '/^\[Form\\FPage\]/,/^\[/s/^Integer=//p' "$ini" 2>/dev/null)
[ "${page:-0}" -ge 2 ] || fail "no page turn saved in $ini ('$page'): $(cat "$home/quillane.log")"
[ -z "$(find "$tree" -newer "$text")" ] || fail "the program wrote into its installed tree"
pages=$(find "$home/data/quillane/all_page/story" -name '*.jpg' 2>/dev/null | wc -l)
[ "$pages" -ge 9 ] || fail "ajs wrote $pages pages into the data folder it had to make"
grep -qx "file://$tree/share/quillane/help/index.htm" "$home/opened" 2>/dev/null ||
  fail "help did not open the installed page"
[ $fails = 0 ] && echo "install test passed"
