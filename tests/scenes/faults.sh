#!/usr/bin/env bash
# Faults a player's machine can throw at the game, injected into a run's own documents folder
# (the overlay files there stand in for the shipped ones): the level-state folder is a file, a
# level-state file is garbage, a model, a texture, a sound bank, a sample and a shader are
# truncated copies, a texture is a folder, a script allocates without end and another loops for
# ever. Each costs a log line, and the game plays on.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
REPLAY="$SRC/resources/replays/level1.replay"
FRAMES=$(( $(grep -v '^#' "$REPLAY" | awk 'NF { print $1 }' | sort -n | tail -1) + 160 ))

# 1. The level-state folder is a file: solving level 1 cannot be saved; the next level still loads.
mkdir -p statefile/Tovalik/resources
echo "not a folder" > statefile/Tovalik/resources/levelstates
run_game --root "$SRC" --documents statefile --size 160x90 --frame-ms 16 --level level1 --replay "$REPLAY" \
    --frames "$FRAMES" --log statefile.log >statefile.out 2>statefile.err
expect_eq "exit status with the state folder a file" 0 $?
expect_grep statefile.log "Level level1 completed in" "level 1 is still solved"
expect_grep statefile.log "Level state .*state_level1 cannot be saved" "the failed save is said"
expect_eq "lines about the failed save" 1 "$(grep -c 'state_level1 cannot be saved' statefile.log)"
expect_grep statefile.log "Serializing Levellevel2$" "the game goes on to level 2"
expect_eq "the file in the folder's place" "not a folder" "$(cat statefile/Tovalik/resources/levelstates)"

# 2. A garbage level state: the menus count it as not completed, with a line, and run on.
mkdir -p garbage/Tovalik/resources/levelstates
head -c 3000 /dev/urandom > garbage/Tovalik/resources/levelstates/state_level1
printf 'level=level2\ncompleted=1\n' > garbage/Tovalik/resources/levelstates/state_level3
run_game --root "$SRC" --documents garbage --size 160x90 --frame-ms 16 --level levels --frames 60 \
    --log garbage.log >garbage.out 2>garbage.err
expect_eq "exit status with a garbage state" 0 $?
expect_grep garbage.log "state_level1 is unreadable" "the garbage state is said"
expect_grep garbage.log "state_level3 is unreadable" "a state naming another level is said"

# 3. Truncated data files and a folder in a file's place, in the overlay: the splash still draws.
OVERLAY=broken/Tovalik/resources
mkdir -p "$OVERLAY"/{models,textures,soundbanks,sounds,shaders}
head -c 1250 "$SRC/resources/models/cube.model" > "$OVERLAY/models/cube.model"
head -c 100 "$SRC/resources/textures/label_title.png" > "$OVERLAY/textures/label_title.png"
mkdir "$OVERLAY/textures/floor_checker.png"
head -c 20 "$SRC/resources/soundbanks/Master.bank" > "$OVERLAY/soundbanks/Master.bank"
for sound in "$SRC"/resources/sounds/*.ogg; do head -c 64 "$sound" > "$OVERLAY/sounds/$(basename "$sound")"; done
head -c 40 "$SRC/resources/shaders/GBufferPlain.frag" > "$OVERLAY/shaders/GBufferPlain.frag"
run_game --root "$SRC" --documents broken --size 320x180 --frame-ms 16 --frames 60 --log broken.log \
    --screenshot broken.png >broken.out 2>broken.err
expect_eq "exit status with truncated files" 0 $?
# The engine log has each problem's text, standard error the file and the reason as well.
cat broken.log broken.err > broken.all
expect_grep broken.all "cube.model" "the truncated model is named"
expect_grep broken.all "Texture could not be loaded: .*label_title.png" "the truncated texture is named"
expect_grep broken.all "Texture could not be loaded: .*floor_checker.png" "the folder in a texture's place is named"
expect_grep broken.all "Master.bank" "the truncated bank is named"
expect_grep broken.all "GBufferPlain.frag" "the truncated shader is named"
if [ -f broken.png ]; then
    read -r colours spread <<< "$(python3 "$SRC/tests/scenes/image_stats.py" broken.png | sed 's/[a-z]*=//g')"
    [ "${colours:-0}" -gt 50 ] || fail "the splash over broken files has only ${colours:-0} colours"
else
    fail "no screenshot over broken files"
fi

# 4. Scripts that eat memory and loop for ever: each protocol call is stopped, the game runs on.
mkdir -p runaway/Tovalik/resources/scripts
cat > runaway/Tovalik/resources/scripts/Splash.lua <<'LUA'
-- Runs away: the first Update hoards memory, the later ones loop.
Splash = {}
function Splash.Init(self) self.calls = 0 end
function Splash.Update(self, dt)
    self.calls = self.calls + 1
    if self.calls == 1 then
        local hoard = {}
        while true do hoard[#hoard + 1] = string.rep("x", 4096) .. #hoard end
    end
    while true do end
end
LUA
run_game --root "$SRC" --documents runaway --size 160x90 --frame-ms 16 --frames 8 --log runaway.log \
    >runaway.out 2>runaway.err
expect_eq "exit status with runaway scripts" 0 $?
expect_grep runaway.log "went past the memory limit" "the hoarding call is stopped"
expect_grep runaway.log "ran past [0-9]+ instructions" "the endless loop is stopped"
finish
