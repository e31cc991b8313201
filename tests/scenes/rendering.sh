#!/usr/bin/env bash
# The shipped splash place drawn by the real game: the screenshot is the window's size, its
# middle shows the lit logo over the floor, its top corners the dark background, and no shader
# or texture problem is reported.
source "$(dirname "$0")/lib.sh" "$@"

run_game --root "$SRC" --frames 60 --size 320x240 --screenshot "$SCRATCH/splash.png" \
    >"$SCRATCH/out.txt" 2>"$SCRATCH/err.txt"
expect_eq "exit status" 0 $?
[ -f "$SCRATCH/splash.png" ] || fail "no screenshot written"
if grep -E "Error compiling|Error linking|could not be loaded|could not be imported|GBuffer error" "$SCRATCH/err.txt" "$SCRATCH/out.txt"; then
    fail "a rendering problem was reported"
fi

# Reads the PNG (8-bit RGB, as the game writes it) and prints "W H centre corner bottom"
# brightness means 0..255.
python3 - "$SCRATCH/splash.png" >"$SCRATCH/pixels.txt" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    n = struct.unpack(">I", data[pos:pos + 4])[0]
    kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + n]
    if kind == b"IHDR":
        w, h, depth, colour = struct.unpack(">IIBB", body[:10])
    elif kind == b"IDAT":
        idat += body
    pos += 12 + n
bpp = 3 if colour == 2 else 4
raw, stride, rows, prev, p = zlib.decompress(idat), w * bpp, [], bytearray(w * bpp), 0
for _ in range(h):
    f, line = raw[p], bytearray(raw[p + 1:p + 1 + stride])
    p += 1 + stride
    for x in range(stride):
        a = line[x - bpp] if x >= bpp else 0
        b, c = prev[x], prev[x - bpp] if x >= bpp else 0
        if f == 1: line[x] = (line[x] + a) & 255
        elif f == 2: line[x] = (line[x] + b) & 255
        elif f == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif f == 4:
            pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line
def mean(x0, y0, x1, y1):
    vals = [rows[y][x * bpp + k] for y in range(y0, y1) for x in range(x0, x1) for k in range(3)]
    return sum(vals) // len(vals)
print(w, h, mean(w // 2 - 20, h // 2 - 10, w // 2 + 20, h // 2 + 10), mean(0, 0, 20, 20), mean(0, h - 20, w, h))
PY
read -r W H CENTRE CORNER BOTTOM <"$SCRATCH/pixels.txt"
expect_eq "screenshot width" 320 "$W"
expect_eq "screenshot height" 240 "$H"
[ "${CENTRE:-0}" -gt 60 ] || fail "the middle of the splash is dark (mean $CENTRE)"
[ "${CORNER:-255}" -lt 30 ] || fail "the top corner is not the dark background (mean $CORNER)"
[ "${BOTTOM:-0}" -gt 60 ] || fail "the lit floor does not show at the bottom (mean $BOTTOM)"
finish
