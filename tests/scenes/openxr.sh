#!/usr/bin/env bash
# The game over OpenXR: the Khronos loader and its core validation layer in front of the OpenXR
# simulator (built beside the game, in openxr-simulator/). The window shows the mirror of both
# eyes; a lost session gives the window back without a word; without a runtime the game has no
# headset and says nothing about one. Any message of the validation layer fails the test.
source "$(dirname "$0")/lib.sh" "$@"
RUNTIME_JSON="$(dirname "$GAME")/openxr-simulator/zumek_openxr_simulator.json"
[ -f "$RUNTIME_JSON" ] || { echo "no OpenXR simulator at $RUNTIME_JSON" >&2; exit 1; }
unset LIBOVR_DLL_DIR
export XR_ENABLE_API_LAYERS=XR_APILAYER_LUNARG_core_validation XR_CORE_VALIDATION_EXPORT_TYPE=text

# What standard error says of the headset (less the line the validation layer prints about its
# own output; the machine's own lines, such as a missing sound device, are not the headset's).
own_errors() { grep -v "^Core Validation output type:" "$1" | grep -iE "openxr|headset|oculus|disconected|runtime|xr_"; }

XR_RUNTIME_JSON="$RUNTIME_JSON" XR_SIM_EYE_SIZE=320x360 XR_CORE_VALIDATION_FILE_NAME="$SCRATCH/validation.txt" \
    run_game --root "$SRC" --frames 60 --size 320x180 --screenshot "$SCRATCH/mirror.png" --log "$SCRATCH/mirror.log" \
    >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt"
expect_eq "exit status with the OpenXR headset" 0 $?
expect_grep "$SCRATCH/mirror.log" "headset: OpenXR Zumek OpenXR simulator 0\.1\.0: Simulated OpenXR headset, 640x360" \
    "the headset in use is logged"
if own_errors "$SCRATCH/err.txt" | grep .; then fail "the OpenXR headset run wrote to standard error"; fi
if [ -s "$SCRATCH/validation.txt" ]; then cat "$SCRATCH/validation.txt" >&2; fail "the validation layer spoke"; fi
# Both halves of the window hold an eye's view of the lit splash: drawn, and alike but not the same.
expect_mirror_halves "$SCRATCH/mirror.png" 320 180

# A session lost after 10 frames: the game plays on in the window, silently, to the last frame.
XR_RUNTIME_JSON="$RUNTIME_JSON" XR_SIM_EYE_SIZE=320x360 XR_SIM_LOSE_SESSION_AFTER=10 \
    XR_CORE_VALIDATION_FILE_NAME="$SCRATCH/validation2.txt" \
    run_game --root "$SRC" --frames 40 --frame-ms 16 --size 320x180 --screenshot "$SCRATCH/lost.png" \
    --frame-times "$SCRATCH/times.txt" >"$SCRATCH/out2.txt" 2>"$SCRATCH/err2.txt"
expect_eq "exit status after a lost session" 0 $?
expect_eq "frames after a lost session" 40 "$(grep -cE '^[0-9]' "$SCRATCH/times.txt" 2>/dev/null || echo 0)"
if own_errors "$SCRATCH/err2.txt" | grep .; then fail "the lost session was spoken of"; fi
if [ -s "$SCRATCH/validation2.txt" ]; then cat "$SCRATCH/validation2.txt" >&2; fail "the validation layer spoke"; fi
python3 "$SRC/tests/scenes/mirror_halves.py" "$SCRATCH/lost.png" 320 180 >"$SCRATCH/lost.txt"
read -r _ LOST_LEFT_SPREAD LOST_RIGHT_SPREAD LOST_DIFFERENCE10 <"$SCRATCH/lost.txt"
[ "${LOST_LEFT_SPREAD:-0}" -gt 20 ] || [ "${LOST_RIGHT_SPREAD:-0}" -gt 20 ] || fail "the window shows no game after the lost session"
# The window's own view, not two eyes side by side: its halves are not alike.
[ "${LOST_DIFFERENCE10:-0}" -gt 100 ] || fail "the window still shows the mirror (halves differ by ${LOST_DIFFERENCE10}/10)"

# No runtime at all: nothing about a headset, nothing on standard error.
XR_RUNTIME_JSON="$SCRATCH/no-runtime.json" run_game --root "$SRC" --frames 5 --size 160x90 --log "$SCRATCH/plain.log" \
    >"$SCRATCH/out3.txt" 2>"$SCRATCH/err3.txt"
expect_eq "exit status without a runtime" 0 $?
if grep -iE "headset|openxr" "$SCRATCH/plain.log" "$SCRATCH/err3.txt"; then fail "a run without a runtime spoke of one"; fi
if own_errors "$SCRATCH/err3.txt" | grep .; then fail "a run without a runtime wrote to standard error"; fi
finish
