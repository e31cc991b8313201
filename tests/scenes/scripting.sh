# Whole runs with scripts: a script failing every frame, a start file that does not compile, a
# script that drives the renderer, sound and caption and then quits, and a scripted ball whose
# collisions with the floor reach it. Every run exits 0.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
cp -r "$SRC/tests/scenes/scripting" documents
cp -r "$SRC/tests/scenes/scripting_broken_start" broken-documents
FLAGS=(--root "$SRC" --size 320x240 --frame-ms 10)

# A script failing in every frame: the run reaches its last frame, the failure is reported once
# (with its traceback) and the other script keeps running every frame.
run_game "${FLAGS[@]}" --documents documents --level scripted --frames 40 --log failing.txt > failing.out 2> failing.err
expect_eq "exit status of the failing-script run" 0 $?
expect_grep failing.out '^Ticker frames=40$' "the healthy script ran in all 40 frames"
expect_eq "log lines of the failing update" 1 "$(grep -c 'Lua call UpdateScriptComponent failed' failing.txt)"
expect_grep failing.err "Failing.lua:5: attempt to index a nil value" "standard error names the script and line"
expect_grep failing.err "stack traceback:" "standard error carries the traceback"

# A start file that does not compile: reported, and the game runs on without the protocol.
run_game "${FLAGS[@]}" --documents broken-documents --frames 20 --log broken.txt > broken.out 2> broken.err
expect_eq "exit status with a broken main" 0 $?
expect_grep broken.err "main.lua.*could not be loaded" "the broken start file is named"
expect_grep broken.txt "Lua call InitializePendingObjects failed" "the missing protocol is reported"
expect_eq "reports of the missing per-frame function" 1 "$(grep -c 'Lua call UpdateScriptComponent failed' broken.txt)"

# A script that uses the renderer, sound and the caption and quits at its tenth frame, with
# sound on: OpenAL's null device plays like a sound card, on its own thread.
ALSOFT_DRIVERS=null run_game "${FLAGS[@]}" --documents documents --level quitting --frames 500 --log quitting.txt \
    > quitting.out 2> quitting.err
expect_eq "exit status of the quitting run" 0 $?
grep -q "No audio device" quitting.err && fail "the quitting run had no sound device"
expect_grep quitting.out '^Quitter quits at frame 10$' "the script quits the game"
expect_eq "script problems in the quitting run" 0 "$(grep -c 'Lua call\|Script file' quitting.txt)"

# A scripted ball falls onto the floor: the physics step's collisions reach its script.
run_game "${FLAGS[@]}" --documents documents --level falling --frames 120 --log falling.txt > falling.out 2> falling.err
expect_eq "exit status of the falling run" 0 $?
expect_grep falling.out '^Bouncer first hit floor1$' "the collision with the floor reaches the ball's script"
expect_grep falling.out '^Bouncer hits>0 true$' "collision events keep arriving"

finish
