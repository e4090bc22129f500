#!/bin/bash
# check-package.sh BUILD_DIR: checks the Debian package `make package` made:
# its control fields, that it holds the programs, the desktop entry and the
# data, and, when lintian is installed, that lintian finds no error.
set -u
build=${1:?usage: check-package.sh BUILD_DIR}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/quillane_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "check-package: no $deb"; exit 1; }
fails=0
fail() {
  echo "check-package: $*"
  fails=$((fails + 1))
}

info=$(dpkg-deb --info "$deb")
depends=$(dpkg-deb --field "$deb" Depends)
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libjpeg62-turbo \
  libharfbuzz0b qt6-qpa-plugins fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation; do
  grep -qE "(^|[ ,])$pkg( |,|$)" <<<"$depends" || fail "Depends lacks $pkg"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/quillane ./usr/bin/quillane-cli ./usr/share/applications/quillane.desktop \
  ./usr/share/quillane/help/index.htm ./usr/share/icons/hicolor/256x256/apps/quillane.png \
  ./usr/share/man/man1/quillane.1.gz ./usr/share/doc/quillane/copyright; do
  grep -qx "$path" <<<"$contents" || fail "$path is not in the package"
done
while read -r name; do
  [ -z "$name" ] || grep -qx "./usr/share/quillane/$name" <<<"$contents" ||
    fail "data file $name is not in the package"
done <"$build/data-files.txt"

if command -v lintian >/dev/null; then
  errors=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep '^E:')
  [ -z "$errors" ] || fail "lintian errors:"$'\n'"$errors"
else
  echo "check-package: lintian is not installed; skipped"
fi

if [ "$fails" = 0 ]; then
  echo "$info" | sed -n 's/^ \(Package\|Version\|Installed-Size\|Depends\):/  \1:/p'
  echo "check-package: $deb is fine"
fi
[ "$fails" = 0 ]
