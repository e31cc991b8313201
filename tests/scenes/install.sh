#!/usr/bin/env bash
# The install: `cmake --install` into a scratch prefix puts the game, its data, the desktop
# entry, the icons, the AppStream metadata and the manual page in place; the entry and the
# metadata validate; the installed game, started from another folder, plays from its own data
# and says nothing on a machine without sound but the one line about it.
source "$(dirname "$0")/lib.sh" "$@"
BUILD="$(dirname "$GAME")"
PREFIX="$SCRATCH/prefix"

cmake --install "$BUILD" --prefix "$PREFIX" >"$SCRATCH/install.txt" 2>&1
expect_eq "cmake --install status" 0 $?
for file in bin/tovalik share/tovalik/resources/levels/splash.xml share/tovalik/resources/scripts/main.lua \
    share/applications/org.zumek.Tovalik.desktop share/metainfo/org.zumek.Tovalik.metainfo.xml \
    share/man/man6/tovalik.6 share/icons/hicolor/256x256/apps/tovalik.png share/icons/hicolor/48x48/apps/tovalik.png; do
    [ -f "$PREFIX/$file" ] || fail "the install has no $file"
done
desktop-file-validate "$PREFIX/share/applications/org.zumek.Tovalik.desktop" >"$SCRATCH/desktop.txt" 2>&1 ||
    fail "desktop-file-validate: $(cat "$SCRATCH/desktop.txt")"
appstreamcli validate --no-net "$PREFIX/share/metainfo/org.zumek.Tovalik.metainfo.xml" >"$SCRATCH/appstream.txt" 2>&1 ||
    fail "appstreamcli validate: $(cat "$SCRATCH/appstream.txt")"

# From a folder with no resources/ of its own, so only the installed data can be found.
mkdir -p "$SCRATCH/elsewhere"
GAME="$PREFIX/bin/tovalik"
(cd "$SCRATCH/elsewhere" && run_game --frames 10 --size 160x90 --documents "$SCRATCH/elsewhere" \
    --log "$SCRATCH/installed.log" >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt")
expect_eq "installed game exit status" 0 $?
expect_grep "$SCRATCH/installed.log" "Loading file $PREFIX/share/tovalik/resources/" "the installed game reads the installed data"
expect_grep "$SCRATCH/installed.log" "Serializing Levelsplash" "the installed game starts on its title"
# A quiet start: nothing on standard output, and on standard error at most our line about sound.
[ ! -s "$SCRATCH/out.txt" ] || fail "the game printed on standard output: $(head -3 "$SCRATCH/out.txt")"
if grep -v "^tovalik: No audio device; sound is off$" "$SCRATCH/err.txt"; then
    fail "the game printed more than the line about sound on standard error"
fi
finish
