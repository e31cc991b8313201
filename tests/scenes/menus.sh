# The title and the menus, driven by replayed keys: the title gives way to the menu on a key;
# the level select opens only the levels whose predecessor is solved; Continue takes up the
# first unsolved level; Reset progress deletes the saved states; Quit ends the run with status
# 0; level states that are empty, truncated or binary count as not solved and block nothing.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
FLAGS=(--root "$SRC" --size 320x180 --frame-ms 16)
STATES=documents/Tovalik/resources/levelstates
play() { # name frames replay-lines...
    local name=$1 frames=$2
    shift 2
    printf '%s\n' "$@" > "$name.replay"
    run_game "${FLAGS[@]}" --documents documents --frames "$frames" --replay "$name.replay" --log "$name.txt" \
        > "$name.out" 2> "$name.err"
    echo $?
}
solved() { mkdir -p "$STATES"; for l in "$@"; do printf 'level=%s\ncompleted=1\nseconds=12.0\n' "$l" > "$STATES/state_$l"; done; }

# A key on the title: the menu is loaded long before the title's three seconds are up.
mkdir -p documents
expect_eq "exit status (title)" 0 "$(play title 40 '10 key Return')"
expect_grep title.txt 'Serializing Levelmainmenu$' "a key leaves the title for the menu"
expect_grep title.txt 'Main menu: Play$' "a new player is offered Play"

# Nothing solved: the level select opens the first level only; Return there starts it.
expect_eq "exit status (levels, new player)" 0 "$(play levels_new 60 '10 key Return' '20 key Down' '22 key Return' '40 key Return')"
expect_grep levels_new.txt 'Serializing Levellevels$' "Levels opens the level select"
expect_grep levels_new.txt 'Levels open: level1$' "only the first level is open"
expect_grep levels_new.txt 'Serializing Levellevel1$' "Return on the first open level starts it"
# The level keys do nothing in the level select; pressed there, they do not act in the level
# started afterwards either (M in level 1 would go back to the menu).
expect_eq "exit status (level key in the select)" 0 \
    "$(play levels_key 80 '10 key Return' '20 key Down' '22 key Return' '30 key M' '31 key N' '40 key Return')"
expect_grep levels_key.txt 'Serializing Levellevel1$' "Return on the first open level starts it after M and N"
[ "$(grep -c 'Serializing Levelmainmenu$' levels_key.txt)" = 1 ] || fail "M pressed in the level select left level 1 at once"
[ "$(grep -c 'Serializing Levellevel2$' levels_key.txt)" = 0 ] || fail "N pressed in the level select skipped level 1"

# Two levels solved: three open, Continue offered and taking up level3.
solved level1 level2
expect_eq "exit status (continue)" 0 "$(play continue 40 '10 key Return' '20 key Return')"
expect_grep continue.txt 'Main menu: Continue$' "a returning player is offered Continue"
expect_grep continue.txt 'Serializing Levellevel3$' "Continue starts the first unsolved level"
expect_eq "exit status (levels, two solved)" 0 "$(play levels_two 40 '10 key Return' '20 key Down' '22 key Return')"
expect_grep levels_two.txt 'Levels open: level1 level2 level3$' "a solved level opens the next one"

# Reset progress: the states are deleted through the engine and the menu offers Play again.
printf 'keep\n' > "$STATES/test"
expect_eq "exit status (reset)" 0 "$(play reset 60 '10 key Return' '20 key Down' '22 key Down' '24 key Return')"
[ -e "$STATES/state_level1" ] || [ -e "$STATES/state_level2" ] && fail "Reset progress left level states behind"
[ -e "$STATES/test" ] || fail "Reset progress deleted a file that is not a level state"
expect_grep reset.txt 'Main menu: Play$' "after a reset the menu offers Play again"

# Quit: the run ends at once with status 0, long before its frame limit.
expect_eq "exit status (quit)" 0 "$(play quit 3000 '10 key Return' '20 key Up' '24 key Return')"
expect_grep quit.txt 'Main menu' "the menu was shown before quitting"
last=$(tail -1 quit.txt | sed 's/^\[\([0-9]*\)\].*/\1/')
[ "${last:-99999}" -lt 2000 ] || fail "Quit did not end the run (last log time $last ms)"

# In a level: F5 restarts it (the level is loaded afresh), Escape returns to the menu.
rm -rf documents && mkdir -p documents
printf '%s\n' '20 ldown 160 90' '60 lup 160 90' '70 key F5' '100 key Escape' > inlevel.replay
run_game "${FLAGS[@]}" --documents documents --level level1 --frames 130 --replay inlevel.replay --log inlevel.txt \
    > inlevel.out 2> inlevel.err
expect_eq "exit status (restart and escape)" 0 $?
expect_eq "loads of level1 (start and restart)" 2 "$(grep -c 'Serializing Levellevel1$' inlevel.txt)"
expect_grep inlevel.txt 'Serializing Levelmainmenu$' "Escape returns to the menu"

# Broken level states: empty, truncated and binary files are each one log line and count as
# not solved; the menu and the level select still work.
for kind in empty truncated binary; do
    rm -rf documents && mkdir -p "$STATES"
    case $kind in
        empty) : > "$STATES/state_level1" ;;
        truncated) printf 'level=lev' > "$STATES/state_level1" ;;
        binary) head -c 300 /dev/urandom > "$STATES/state_level1"; printf '\0\377\0' >> "$STATES/state_level1" ;;
    esac
    expect_eq "exit status ($kind state)" 0 "$(play broken_$kind 60 '10 key Return' '20 key Down' '22 key Return')"
    expect_grep broken_$kind.txt 'Main menu: Play$' "a $kind state does not count as solved"
    expect_grep broken_$kind.txt 'Levels open: level1$' "a $kind state opens no further level"
    expect_eq "log lines about the $kind state" 1 "$(grep -c 'state_level1 is unreadable' broken_$kind.txt)"
done
finish
