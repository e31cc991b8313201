#!/usr/bin/env bash
# Reproducible runs: the first 200 frames of level 1 (the ball rolling into the ring under the beam)
# played twice from its replay with a fixed frame time give byte-identical screenshots of the
# drawn scene and the same state hash; the same run with one input event moved by a frame gives
# another hash.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
REPLAY="$SRC/resources/replays/level1.replay"
play() { # name replay
    mkdir -p "documents-$1"
    run_game --root "$SRC" --documents "documents-$1" --size 320x180 --frame-ms 16 --level level1 --replay "$2" \
        --frames 200 --state-hash --screenshot "$1.png" >"$1.out" 2>"$1.err"
    expect_eq "exit status of run $1" 0 $?
    grep -E "^state hash=[0-9a-f]{16} frames=200 objects=[0-9]+$" "$1.out" >"$1.hash" ||
        fail "run $1 printed no state hash line"
}
play first "$REPLAY"
play second "$REPLAY"
expect_eq "state hash of the second run" "$(cat first.hash)" "$(cat second.hash)"
cmp -s first.png second.png || fail "the two runs' screenshots differ"
read -r colours spread <<< "$(python3 "$SRC/tests/scenes/image_stats.py" first.png | sed 's/[a-z]*=//g')"
[ "${colours:-0}" -gt 200 ] || fail "the compared frame is not a drawn scene (${colours:-0} colours)"

# The replay's first event a frame later (level 1's: the beam fired one frame later).
awk 'BEGIN { done = 0 } !done && $1 ~ /^[0-9]+$/ { $1 = $1 + 1; done = 1 } { print }' "$REPLAY" >moved.replay
cmp -s "$REPLAY" moved.replay && fail "the replay has no event to move"
play moved moved.replay
[ "$(cat first.hash)" != "$(cat moved.hash)" ] || fail "moving an input by a frame left the state hash as it was"
cat first.hash
finish
