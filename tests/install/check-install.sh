#!/usr/bin/env bash
# Installs the build folder into a temporary prefix, as `cmake --install` does for a user,
# and checks the installed layout: the executable, the program folder, the menu entry, the
# icon, the two file types (matched without regard to case), the exercise pack and the
# AppStream data, with Debian's validators. Then it starts the installed program and checks
# that it writes its handshake file into the installed program folder.
# Usage: tests/install/check-install.sh <build-dir>
set -euo pipefail
build=$1
prefix=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=fr.calvane.Ondalis
for f in bin/ondalis \
    share/applications/$id.desktop \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/mime/packages/$id.xml \
    share/metainfo/$id.metainfo.xml; do
    [[ -f $prefix/$f ]] || fail "$f is not installed"
done
[[ -x $prefix/bin/ondalis ]] || fail "bin/ondalis is not executable"
[[ -d $prefix/share/ondalis ]] || fail "the program folder share/ondalis is not installed"
# The exercise pack: the getting-started activity and an exercise with its files.
for f in SPIREX.PEM 01-periode.E41 exercices/periode.rtf exercices/periode.P19 \
    exercices/periode-correction.rtf exercices/periode-correction.P19; do
    [[ -s $prefix/share/ondalis/$f ]] || fail "the pack's $f is not installed"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the icon is no XML"
grep -qx "Exec=ondalis %f" "$prefix/share/applications/$id.desktop" || fail "Exec line"
grep -qx "Categories=Education;Science;Physics;" "$prefix/share/applications/$id.desktop" ||
    fail "Categories line"

# The file types, compiled as the desktop compiles them: both globs, case-insensitive (no
# "cs" flag), and the configuration's signature as magic.
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
globs=$prefix/share/mime/globs2
grep -qx "50:application/x-ondalis-configuration:\*.p19" "$globs" || fail "*.p19 glob: $(cat "$globs")"
grep -qx "50:application/x-ondalis-exercise:\*.e41" "$globs" || fail "*.e41 glob"
grep -q "x-ondalis-configuration" "$prefix/share/mime/magic" || fail "configuration magic"
for type in application/x-ondalis-configuration application/x-ondalis-exercise; do
    grep -q "^$type" "$prefix/share/mime/types" || fail "$type not declared"
    grep -q "$type" "$prefix/share/applications/$id.desktop" || fail "$type not in MimeType"
done

# The installed program uses the installed program folder.
QT_QPA_PLATFORM=offscreen "$prefix/bin/ondalis" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
    [[ -s $prefix/share/ondalis/ZANTEK.TMP ]] && break
    sleep 0.1
done
[[ -s $prefix/share/ondalis/ZANTEK.TMP ]] || fail "no ZANTEK.TMP in share/ondalis"
[[ ! -e $prefix/bin/ZANTEK.TMP ]] || fail "ZANTEK.TMP written beside the executable"
echo "installed layout checked in $prefix"
