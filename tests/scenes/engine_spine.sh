# Whole runs of the engine spine: the log's first lines, the frame budget, closing the window,
# replayed keys reaching the input events, and the slow-frame clock.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"

# A bounded run exits 0, and its log opens with the 17 settings in their order.
run_game --frames 60 --size 320x240 --log log.txt --frame-ms 10
expect_eq "exit status of --frames 60" 0 $?
i=0
for name in LocaleSetting DebugSetting DebugDrawSetting HudDrawSetting EngineStateSetting ResolutionSetting \
    'CameraSetting\*' CameraMovementSetting EditorGUISetting SelectObjectSetting AnimationSetting PhysicsSetting \
    RenderModeSetting CacheSetting OculusSetting ScriptSetting ApplicationStateSetting; do
    i=$((i + 1))
    line=$(sed -n "${i}p" log.txt)
    echo "$line" | grep -qE "^\[[0-9]+\] Setting for (enum|class) zumek::${name} has been created\.$" ||
        fail "log line $i should create $name, is '$line'"
done

# A replayed close ends the run at the next frame start; keys pressed before it are acted on
# one frame later, keys after it never. Numeric keypad 3 toggles the HUD, whose setting has no
# channel: each toggle leaves one "Missing channel" line.
cat > replay.txt <<'R'
# frame event args
1 key Numpad3
3 key Numpad3
5 close
7 key Numpad3
R
run_game --frames 1000 --size 320x240 --frame-ms 10 --replay replay.txt --log close.txt
expect_eq "exit status after a replayed close" 0 $?
expect_eq "toggles acted on before the close" 2 "$(grep -c 'Missing channel for enum zumek::HudDrawSetting' close.txt)"

# Frames slower than 90 per second count as 11 ms; the warning comes at most every 500 ms.
run_game --frames 50 --size 320x240 --frame-ms 25 --log slow.txt
expect_eq "exit status of a slow run" 0 $?
expect_eq "low-fps warnings in 1250 ms" 2 "$(grep -c 'Low fps! (fps = 40)' slow.txt)"

# A screenshot of the client size is written.
run_game --frames 3 --size 320x240 --screenshot shot.png > out.txt
expect_eq "exit status with --screenshot" 0 $?
expect_grep out.txt "shot.png" "the run says where the screenshot is"
file shot.png | grep -q "PNG image data, 320 x 240" || fail "shot.png is not a 320x240 PNG: $(file shot.png)"

finish
