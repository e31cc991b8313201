# Hot reload: the game runs with --watch while this script rewrites a level, a script class and a
# shader in the user's resource folder. Each change must show at a frame boundary: the place is
# loaded again with the player where he stood, the running script object takes the new code, the
# new shader draws, and a broken shader written after it leaves the working one in place.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
cp -r "$SRC/tests/scenes/hot_reload" documents
USER_RES=documents/Tovalik/resources

# Waits up to 90 s for a line matching $2 in the log $1 (the engine log is written as it goes).
wait_for() {
    for _ in $(seq 1 900); do
        grep -qE -- "$2" "$1" 2>/dev/null && return 0
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "waiting for '$2' in $1"
    return 1
}

# Each frame advances the clock 20 ms, so a change settles (50 ms) within three frames.
run_game --root "$SRC" --documents documents --size 320x240 --frame-ms 20 --frames 20000 --watch \
    --level hotlevel --log run.txt --screenshot shot.png > run.out 2> run.err &
GAME_PID=$!

wait_for run.txt 'Reporter init, player x=0.00' && wait_for run.txt 'Reporter moved the player'
expect_grep run.txt 'Reporter running v1' "the first version of the script runs"

# 1. The level gains an object: the place is rebuilt, the player keeps his place.
sed -i 's|<archetype key="reporter" id="reporter"/>|<archetype key="reporter" id="reporter"/>\n  <archetype key="block" id="marker"/>|' \
    "$USER_RES/levels/hotlevel.xml"
wait_for run.txt 'Level reloaded: hotlevel'
wait_for run.txt 'marker has been created'
wait_for run.txt 'Reporter init, player x=1.50'

# 2. The script class changes as an editor saves it (a new file renamed over the old): the
# running instance takes the new code without being made again.
sed 's/local VERSION = "v1"/local VERSION = "v2"/' "$USER_RES/scripts/Reporter.lua" > "$USER_RES/scripts/.Reporter.lua.tmp"
mv "$USER_RES/scripts/.Reporter.lua.tmp" "$USER_RES/scripts/Reporter.lua"
wait_for run.txt 'Script reloaded: Reporter'
wait_for run.txt 'Reporter running v2'
expect_eq "script instances made (no new one for a script change)" 2 "$(grep -c 'Reporter init' run.txt)"

# 3. A shader of the user's own: plain sprites turn pure red.
mkdir -p "$USER_RES/shaders"
sed 's/    return color;/    return vec3(1.0, 0.0, 0.0);/' "$SRC/resources/shaders/GBufferPlain.frag" > "$USER_RES/shaders/GBufferPlain.frag"
wait_for run.txt 'Shader reloaded: GBUFFER_PLAIN_SHADER'

# 4. The same shader broken: reported with the driver's message, the red program stays.
echo 'this is not GLSL' >> "$USER_RES/shaders/GBufferPlain.frag"
wait_for run.txt 'Shader reload failed, the old program stays: GBufferPlain.frag'

# 5. The script quits the game at its next frame; the last frame is the screenshot.
sed -i 's/        Scripting.Log("Reporter running " .. VERSION)/        Scripting.Log("Reporter running " .. VERSION)\n        SettingManager.QuitGame()/; s/"v2"/"v3"/' \
    "$USER_RES/scripts/Reporter.lua"
wait "$GAME_PID"
expect_eq "exit status of the watched run" 0 $?
expect_grep run.txt 'Reporter running v3' "the third version of the script ran"
expect_grep run.txt 'Error compiling vertex shader' "the broken shader is reported"
expect_grep run.err 'GBufferPlain.frag' "standard error names the broken shader file"
expect_eq "level reloads" 1 "$(grep -c 'Level reloaded' run.txt)"

# The block (right of the middle: the player stands aside) is drawn by the red program, not in
# the blue of its data.
colour=$(python3 - "$SRC/tests/scenes" shot.png <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
from image_stats import pixels
data = list(pixels(sys.argv[2]))
width = 320
rows = [data[y * width:(y + 1) * width] for y in range(len(data) // width)]
middle = [p for row in rows[130:230] for p in row[190:310]]
r = sum(p[0] for p in middle) / len(middle)
g = sum(p[1] for p in middle) / len(middle)
b = sum(p[2] for p in middle) / len(middle)
print("red" if r > 2 * b and r > 2 * g else "not red (%d %d %d)" % (r, g, b))
PY
)
expect_eq "colour of the block after the shader change" red "$colour"
finish
