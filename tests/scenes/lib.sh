# Shared helpers of the scenario tests. Usage: source lib.sh "$@" (binary, source tree, scratch).
set -u
GAME=$1
SRC=$2
SCRATCH=$3
rm -rf "$SCRATCH"
mkdir -p "$SCRATCH"
FAILURES=0

# Mesa's software renderer filters anisotropically at sixteen probes a sample, which makes a
# textured frame four times as slow; these runs check behaviour, not filtering, so the driver
# is asked to leave the extension out (on a GPU the override changes nothing the tests read).
export MESA_EXTENSION_OVERRIDE="-GL_EXT_texture_filter_anisotropic -GL_ARB_texture_filter_anisotropic"

# Runs the game on a private Xvfb of its own, even when a display is set: games of tests that
# run side by side on one display take the focus from each other, and a lost focus lets go of
# the keys a replay holds.
# The status is the game's own: xvfb-run's, when it differs (a display that would not start or
# would not stop), is written to standard error with the server's messages. The game's standard
# error reaches the caller as it is written and is also kept, so that the leak checker's own
# failure can be told apart from a leak (see leak_check_failed).
run_game() {
    local status_file="$SCRATCH/.status.$BASHPID" server_log="$SCRATCH/.xvfb.$BASHPID"
    local err_copy="$SCRATCH/.stderr.$BASHPID"
    rm -f "$status_file" "$server_log" "$err_copy"
    # Each run starts looking for a free display number at its own, so two starting together
    # do not pick the same one.
    xvfb-run -a -n $((100 + $$ % 800 + RANDOM % 50)) -e "$server_log" -s "-screen 0 1280x720x24" \
        /bin/bash -c 'status_file=$1 err_copy=$2; shift 2; exec 3>&1
            { "$@" 2>&1 1>&3 3>&-; echo $? > "$status_file"; } | tee "$err_copy" >&2
            exit "$(cat "$status_file")"' bash "$status_file" "$err_copy" "$GAME" "$@"
    local server_status=$? status
    status=$(cat "$status_file" 2>/dev/null)
    if [ "$status" != "$server_status" ]; then
        echo "xvfb-run exited $server_status after the game's status '${status:-none}'" >&2
        head -5 "$server_log" >&2 2>/dev/null
    fi
    if [ "$status" = 1 ] && leak_check_failed "$err_copy"; then status=0; fi
    rm -f "$status_file" "$server_log" "$err_copy"
    return "${status:-$server_status}"
}

# LeakSanitizer looks for leaks as the program exits, after stopping its threads with ptrace;
# where ptrace is refused (a container without the capability, a process already traced) it
# ends the run with status 1 and "LeakSanitizer has encountered a fatal error", which says
# nothing about the game. Such a run is judged on everything else: any other sanitizer report,
# an escaped exception or a leak found still fails it. A short second program is then asked
# for the checker's own reasons, so that the output says why it could not run.
leak_check_failed() { # stderr copy
    grep -q 'LeakSanitizer has encountered a fatal error' "$1" || return 1
    grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error|terminate called|SUMMARY' "$1" && return 1
    echo "note: the leak check could not run at the end of this run (LeakSanitizer could not stop its threads); the run is judged without it" >&2
    LSAN_OPTIONS="${LSAN_OPTIONS:-}:verbosity=1:log_threads=1" "$GAME" --version 2>&1 >/dev/null |
        grep -E 'attach|Failed|Tracer|tracer|errno|fatal error' | head -4 | sed 's/^/note: a second program: /' >&2
    return 0
}

fail() {
    echo "FAIL: $*" >&2
    FAILURES=$((FAILURES + 1))
}

expect_eq() { # what expected actual
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

expect_grep() { # file pattern what
    grep -qE -- "$2" "$1" || fail "$3 (no line matching '$2' in $1)"
}

expect_mirror_halves() { # png width height: both eyes' halves drawn, alike but not the same
    local halves
    halves=$(python3 "$SRC/tests/scenes/mirror_halves.py" "$1" "$2" "$3")
    local count left right difference
    read -r count left right difference <<<"$halves"
    expect_eq "mirror screenshot pixels" $(($2 * $3)) "$count"
    [ "${left:-0}" -gt 20 ] || fail "the left eye's half is flat (spread $left)"
    [ "${right:-0}" -gt 20 ] || fail "the right eye's half is flat (spread $right)"
    [ "${difference:-0}" -gt 0 ] || fail "the eyes see exactly the same picture"
    [ "${difference:-999}" -lt 300 ] || fail "the eyes see different scenes (mean difference ${difference}/10)"
}

# On a failure, what the runs reported themselves: a sanitizer's report, an escaped exception
# or a display that would not start is otherwise only "expected '0', got '1'" in the output.
show_run_reports() {
    local err pattern='ERROR|Sanitizer|runtime error|xvfb-run exited|Xvfb failed|XIO|unknown failure|terminate called'
    for err in "$SCRATCH"/*.err "$SCRATCH"/err*.txt; do
        [ -f "$err" ] || continue
        grep -qE "$pattern" "$err" || continue
        echo "--- $(basename "$err"):" >&2
        grep -m 6 -E "$pattern|SUMMARY" "$err" >&2
    done
}

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        show_run_reports
        echo "$FAILURES check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}
