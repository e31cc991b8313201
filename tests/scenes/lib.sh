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
run_game() {
    # Each run starts looking for a free display number at its own, so two starting together
    # do not pick the same one.
    xvfb-run -a -n $((100 + $$ % 800 + RANDOM % 50)) -s "-screen 0 1280x720x24" "$GAME" "$@"
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

finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}
