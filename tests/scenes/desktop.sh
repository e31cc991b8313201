# Whole runs as a player meets them on a desktop: the full-screen window by default, walk keys
# that count in every frame while held, and arrow keys that turn the player.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
cp -r "$SRC/tests/scenes/desktop" documents
FLAGS=(--root "$SRC" --documents documents --frame-ms 10)

# Without --size the window covers the display (the Xvfb screen is 1280 x 720).
run_game "${FLAGS[@]}" --frames 3 --screenshot full.png > full.out
expect_eq "exit status of the full-screen run" 0 $?
file full.png | grep -q "PNG image data, 1280 x 720" || fail "full.png is not the display's size: $(file full.png)"

# W held from frame 10 to frame 20: the walking script sees it in ten frames running, and not
# after. The right arrow held as long turns the player 2 degrees a frame.
cat > walk.txt <<'R'
10 keydown W
20 keyup W
30 keydown Right
40 keyup Right
R
run_game "${FLAGS[@]}" --size 320x240 --level walking --frames 60 --replay walk.txt > walk.out 2> walk.err
expect_eq "exit status of the walking run" 0 $?
span=$(sed -n 's/^KeyWatcher forward=10 span=\([0-9]*\)\.\.\([0-9]*\)$/\1 \2/p' walk.out)
[ -n "$span" ] || fail "the walking script should see W in 10 frames: $(grep KeyWatcher walk.out)"
if [ -n "$span" ]; then
    set -- $span
    expect_eq "frames from the first to the last with W" 9 $(($2 - $1))
fi
expect_grep walk.out '^KeyWatcher turned=-20$' "the right arrow turned the player 20 degrees"

finish
