# The inspector and the screenshot key in a whole run: F1 opens the inspector, a click on a wall
# in the scene selects it, F12 writes numbered shots below the documents folder and says so, and
# the last frame shows the inspector's window where the same run without F1 shows the room.
source "$(dirname "$0")/lib.sh" "$@"
cd "$SCRATCH"
mkdir -p documents plain-documents
FLAGS=(--root "$SRC" --level level1 --size 800x600 --frame-ms 20 --frames 26)

# The right-hand wall of the first room is at (700, 300); the inspector's window stays left of it.
cat > inspect.replay <<'R'
5 key F1
12 ldown 700 300
13 lup 700 300
20 key F12
22 key F12
R
run_game "${FLAGS[@]}" --documents documents --replay inspect.replay --log run.txt --screenshot inspector.png > run.out 2> run.err
expect_eq "exit status of the inspector run" 0 $?
expect_grep run.txt '^\[[0-9]+\] Inspector selected wall[0-9]+$' "a click on the wall selects it"
SHOTS=documents/Tovalik/screenshots
expect_grep run.txt "Screenshot saved: .*/$SHOTS/shot-0001.png$" "the first F12 says where its shot is"
expect_grep run.txt "Screenshot saved: .*/$SHOTS/shot-0002.png$" "the second F12 takes the next number"
[ -s "$SHOTS/shot-0001.png" ] && [ -s "$SHOTS/shot-0002.png" ] || fail "both shots are written"

printf '20 key F12\n' > plain.replay
run_game "${FLAGS[@]}" --documents plain-documents --replay plain.replay --screenshot plain.png > plain.out 2> plain.err
expect_eq "exit status of the plain run" 0 $?

# The window's area (the top left) differs clearly between the two runs; the far right does not.
verdict=$(python3 - "$SRC/tests/scenes" inspector.png plain.png <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
from image_stats import pixels
a, b = list(pixels(sys.argv[2])), list(pixels(sys.argv[3]))
width = 800
def difference(x0, x1, y0, y1):
    total = count = 0
    for y in range(y0, y1):
        for x in range(x0, x1):
            p, q = a[y * width + x], b[y * width + x]
            total += sum(abs(p[i] - q[i]) for i in range(3))
            count += 1
    return total / count
window, outside = difference(20, 400, 20, 560), difference(760, 790, 400, 560)
print("window shown" if window > 30 and outside < 10 else "no window (%.1f, %.1f)" % (window, outside))
PY
)
expect_eq "the inspector's window in the last frame" "window shown" "$verdict"
finish
