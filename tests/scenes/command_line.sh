# The command-line contract: help, version, bad options, missing folders, malformed replays.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"

"$GAME" --help > help.txt
expect_eq "--help exit status" 0 $?
expect_grep help.txt "--frame-ms MS" "--help lists the options"

"$GAME" --version > version.txt
expect_eq "--version exit status" 0 $?
expect_grep version.txt "^tovalik [0-9]" "--version names the game"

for bad in "--bogus" "--frames" "--frames 0" "--frames ten" "--size 640" "--size 0x480" "--frame-ms -3" "extra"; do
    # shellcheck disable=SC2086
    "$GAME" $bad > /dev/null 2> err.txt
    expect_eq "exit status of '$bad'" 2 $?
    expect_grep err.txt "^usage: tovalik" "'$bad' prints the usage"
done

"$GAME" --documents "$SCRATCH/nowhere" 2> err.txt
expect_eq "exit status of a missing --documents folder" 2 $?
expect_grep err.txt "nowhere: no such folder" "a missing documents folder is named"
"$GAME" --root "$SCRATCH/nowhere" 2> err.txt
expect_eq "exit status of a missing --root folder" 2 $?

printf '1 key A\n2 jump 3\n' > bad.replay
run_game --frames 5 --replay bad.replay 2> err.txt
expect_eq "exit status of a malformed replay" 2 $?
expect_grep err.txt "bad.replay, line 2: unknown event \"jump\"" "the malformed line is named"

finish
