#!/bin/sh
# Reads one HEX file with hexfile_probe and holds the result against srec_cat:
# the FLASH image must be srec_cat's binary of the reference file byte for
# byte, bytes_loaded its highest address in the FLASH plus one, a warning must
# come exactly when data lie beyond the FLASH end, and the file written back
# must read again to the same image and be written again unchanged.
#
#   check_hex.sh PROBE SREC_CAT FLASH_SIZE IN.hex REFERENCE.hex WORK_DIR
#
# The reference is the file itself, or the form srec_cat reads when IN.hex is
# a variant srec_cat does not take (CR line ends, blank lines, comments).
set -eu
probe=$1 srec_cat=$2 size=$3 in=$4 reference=$5 work=$6

mkdir -p "$work"
base=$work/$(basename "$in" .hex)

fail() {
    echo "FAIL $in (flash $size): $*" >&2
    exit 1
}

"$srec_cat" "$reference" -Intel -crop 0 "$size" -fill 0xFF 0 "$size" -o "$base.expected.bin" -Binary
"$srec_cat" "$reference" -Intel -crop 0 "$size" -o "$base.loaded.bin" -Binary
loaded=$(wc -c <"$base.loaded.bin" | tr -d ' ')
"$srec_cat" "$reference" -Intel -exclude 0 "$size" -o "$base.beyond.hex" -Intel
beyond=$(awk '
    function byte(s) { return index("0123456789ABCDEF", substr(s, 1, 1)) * 16 - 17 + index("0123456789ABCDEF", substr(s, 2, 1)) }
    { sub(/\r$/, "") }
    substr($0, 8, 2) == "00" { n += byte(substr($0, 2, 2)) }
    END { print n + 0 }' "$base.beyond.hex")

"$probe" "$size" "$in" "$base.out.hex" >"$base.log" || fail "probe failed"
{
    if [ "$beyond" -gt 0 ]; then
        printf '%s\n' "box 64: Warning!\\nInput program file in Intel Hex Format contains errors.\\nThere are data for $beyond addresses out of range:\\n"
    fi
    echo "result: true"
    echo "bytes_loaded: $loaded"
} >"$base.want"
# The warning's list of addresses is checked by the unit tests; here its head.
sed 's/\(out of range:\\n\).*/\1/' "$base.log" | cmp -s - "$base.want" ||
    fail "probe said $(cat "$base.log"), expected $(cat "$base.want")"

if [ "$(cat "$base.out.hex")" = "$(printf ':00000001FF\r')" ]; then
    # An erased image: srec_cat takes no file without data.
    "$srec_cat" -generate 0 "$size" -constant 0xFF -o "$base.read.bin" -Binary
else
    "$srec_cat" "$base.out.hex" -Intel -fill 0xFF 0 "$size" -o "$base.read.bin" -Binary
fi
cmp -s "$base.read.bin" "$base.expected.bin" || fail "the image differs from srec_cat's"

"$probe" "$size" "$base.out.hex" "$base.again.hex" >"$base.again.log" || fail "probe failed"
grep -q '^box' "$base.again.log" && fail "the written file gave $(cat "$base.again.log")"
grep -qx 'result: true' "$base.again.log" || fail "the written file gave $(cat "$base.again.log")"
cmp -s "$base.out.hex" "$base.again.hex" || fail "the written file does not write back the same"
echo "ok $in (flash $size, $loaded bytes loaded, $beyond beyond)"
