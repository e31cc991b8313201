# One level played from its shipped replay, as a player would: the level completes, the next
# place is loaded, no script fails, and the level's state is saved in the run's own documents
# folder. Arguments after the usual three: the level and the place that follows it.
LEVEL=$4
NEXT=$5
source "$(dirname "$0")/lib.sh" "$1" "$2" "$3"
cd "$SCRATCH"
mkdir documents
REPLAY="$SRC/resources/replays/$LEVEL.replay"
[ -f "$REPLAY" ] || fail "no replay for $LEVEL"
# The replay's last event (the level is solved by then) plus the completion's fade and load.
FRAMES=$(( $(grep -v '^#' "$REPLAY" | awk 'NF { print $1 }' | sort -n | tail -1) + 160 ))

run_game --root "$SRC" --documents documents --size 320x180 --frame-ms 16 --level "$LEVEL" \
    --replay "$REPLAY" --frames "$FRAMES" --log log.txt --screenshot solved.png > out.txt 2> err.txt
expect_eq "exit status of the $LEVEL replay" 0 $?
expect_grep log.txt "Level $LEVEL completed in" "$LEVEL is completed by its replay"
expect_grep log.txt "Serializing Level$NEXT\$" "the place after $LEVEL ($NEXT) is loaded"
expect_eq "script problems while playing $LEVEL" 0 "$(grep -c 'Lua call\|Script file\|unreadable\|cannot be' log.txt)"
STATE=documents/Tovalik/resources/levelstates/state_$LEVEL
[ -f "$STATE" ] || fail "the state of $LEVEL was not saved ($STATE)"
grep -q "^completed=1$" "$STATE" 2>/dev/null || fail "the saved state of $LEVEL does not say completed"
ls documents/Tovalik/resources/levelstates/*.tmp > /dev/null 2>&1 && fail "a temporary state file was left behind"
# The last frame shows the next place drawn, not a flat or black image.
if [ -f solved.png ]; then
    read -r colours spread <<< "$(python3 "$SRC/tests/scenes/image_stats.py" solved.png | sed 's/[a-z]*=//g')"
    [ "${colours:-0}" -gt 200 ] || fail "the last frame after $LEVEL has only ${colours:-0} colours"
else
    fail "no screenshot written"
fi
grep -m1 'completed in' log.txt
finish
