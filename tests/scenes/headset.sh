#!/usr/bin/env bash
# The game with the headset simulator (built beside the game, in headset-simulator/): the window
# shows the mirror of both eyes; a refused submit ends the game through its quit event with
# status 0; without LIBOVR_DLL_DIR the game has no headset and says nothing about one.
source "$(dirname "$0")/lib.sh" "$@"
SIMULATOR="$(dirname "$GAME")/headset-simulator"
[ -f "$SIMULATOR/libOVRRT64_0_7.so" ] || { echo "no simulator in $SIMULATOR" >&2; exit 1; }

LIBOVR_DLL_DIR="$SIMULATOR" HEADSET_SIM_RESOLUTION=640x360 \
    run_game --root "$SRC" --frames 60 --size 320x180 --screenshot "$SCRATCH/mirror.png" --log "$SCRATCH/mirror.log" \
    >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt"
expect_eq "exit status with the simulated headset" 0 $?
expect_grep "$SCRATCH/mirror.log" "headset: .*libOVRRT64_0_7.so: Simulated headset, 640x360" "the headset in use is logged"
if grep -E "Failed to|disconected" "$SCRATCH/err.txt"; then fail "the simulated headset reported a problem"; fi
# Both halves of the window hold an eye's view of the lit splash: drawn, and alike but not the same.
expect_mirror_halves "$SCRATCH/mirror.png" 320 180

# A submit the runtime refuses: the message, then the quit event ends the run early, status 0.
LIBOVR_DLL_DIR="$SIMULATOR" HEADSET_SIM_RESOLUTION=320x180 HEADSET_SIM_FAIL_SUBMIT_AFTER=10 \
    run_game --root "$SRC" --frames 900 --frame-ms 16 --size 160x90 --frame-times "$SCRATCH/times.txt" \
    >"$SCRATCH/out2.txt" 2>"$SCRATCH/err2.txt"
expect_eq "exit status after a refused submit" 0 $?
expect_grep "$SCRATCH/err2.txt" "Oculus is disconected\." "the refused submit is said"
expect_eq "messages about the refused submit" 1 "$(grep -c "disconected" "$SCRATCH/err2.txt")"
FRAMES=$(grep -cE '^[0-9]' "$SCRATCH/times.txt" 2>/dev/null || echo 0)
[ "$FRAMES" -gt 0 ] && [ "$FRAMES" -lt 900 ] || fail "the run did not end through the quit event ($FRAMES frames)"

# No runtime: nothing about a headset.
run_game --root "$SRC" --frames 5 --size 160x90 --log "$SCRATCH/plain.log" >"$SCRATCH/out3.txt" 2>"$SCRATCH/err3.txt"
expect_eq "exit status without a runtime" 0 $?
if grep -iE "headset|oculus is|ovr" "$SCRATCH/plain.log" "$SCRATCH/err3.txt"; then fail "a run without a headset spoke of one"; fi
finish
