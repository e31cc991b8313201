# A level of 200 bodies (crates, dominoes and balls in three loose layers, walls, a bouncy slab, a
# ghost trigger and a button) dropped on the floor: once every body has landed no position or
# velocity is a NaN or infinite, and no body has fallen through the floor.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
cp -r "$SRC/tests/scenes/physics" documents
FLAGS=(--root "$SRC" --size 320x240 --frame-ms 10)

run_game "${FLAGS[@]}" --documents documents --level pile --frames 400 --log pile.txt > pile.out 2> pile.err
expect_eq "exit status of the pile run" 0 $?
expect_grep pile.out '^PhysicsCheck bodies=200 nonfinite=0 below=0 ' "every body is finite and above the floor"
expect_eq "script problems in the pile run" 0 "$(grep -c 'Lua call\|Script file' pile.txt)"
expect_eq "refused values in the pile run" 0 "$(grep -c 'value refused' pile.txt)"

finish
