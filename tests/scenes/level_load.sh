# Whole runs that load places: the shipped splash, a user overlay below --documents, a level
# naming a missing archetype and holding bad components, and a malformed level. Every run
# exits 0 and the log shows each level load.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
cp -r "$SRC/tests/scenes/level_load" documents
mkdir empty-documents
# Object creation lines: a bare id, then the text (settings log "Setting for ... has been created.").
count_created() { grep -cE '^\[[0-9]+\] [A-Za-z0-9_]+ has been created\.$' "$1"; }
FLAGS=(--root "$SRC" --size 320x240 --frame-ms 10)

# The shipped splash: one "created" line per entry of the level file.
run_game "${FLAGS[@]}" --documents empty-documents --frames 30 --log splash.txt 2> splash.err
expect_eq "exit status of the splash run" 0 $?
expect_grep splash.txt '^\[[0-9]+\] Serializing Levelsplash$' "the splash level is read"
entries=$(grep -c '<archetype key=' "$SRC/resources/levels/splash.xml")
expect_eq "objects created for the splash" "$entries" "$(count_created splash.txt)"
expect_eq "errors in the splash run" 0 "$(grep -c 'could not be loaded' splash.txt)"

# The user's copy of a level replaces the shipped one.
run_game "${FLAGS[@]}" --documents documents --frames 5 --log overlay.txt 2> overlay.err
expect_eq "exit status of the overlay run" 0 $?
expect_grep overlay.txt '^\[[0-9]+\] overlaid has been created\.$' "the overlay's splash is loaded"
expect_eq "objects of the overlay splash" 1 "$(count_created overlay.txt)"

# A level with a missing archetype and bad components: the rest loads, each problem once.
run_game "${FLAGS[@]}" --documents documents --level yard --frames 5 --log yard.txt 2> yard.err
expect_eq "exit status of the yard run" 0 $?
expect_grep yard.txt '^\[[0-9]+\] Serializing Levelyard$' "the yard level is read"
expect_eq "archetype lines of the yard" 4 "$(grep -c 'Serializing Archetype' yard.txt)"
for id in crate1 lid crate2; do
    expect_grep yard.txt "^\[[0-9]+\] $id has been created\.$" "$id is created"
done
expect_eq "objects of the yard" 3 "$(count_created yard.txt)"
expect_eq "missing archetype reported once" 1 \
    "$(grep -c 'The content file for the unicorn archetype could not be loaded\.' yard.txt)"
expect_grep yard.txt 'Reading Translate X attribute' "the unreadable x is reported"
expect_grep yard.txt 'Reading script key' "the script without key is reported"
expect_grep yard.err 'levels/yard.xml:[0-9]+: <translate>' "standard error names the file, line and element"
expect_grep yard.err 'archetypes/unicorn.xml' "standard error names the missing file"
# The objects live until the run ends.
expect_eq "objects destroyed at the end" 3 "$(grep -c 'has been destroyed\.' yard.txt)"

# A malformed level: one error, no objects, and the run carries on to its end.
run_game "${FLAGS[@]}" --documents documents --level broken --frames 5 --log broken.txt 2> broken.err
expect_eq "exit status of the broken run" 0 $?
expect_eq "malformed level reported once" 1 "$(grep -c 'The Level file broken could not be loaded\.' broken.txt)"
expect_grep broken.err 'broken.xml' "standard error names the malformed file"
expect_eq "objects of the broken level" 0 "$(count_created broken.txt)"

finish
