#!/bin/sh
# Makes random FLASH images with srec_cat, writes each in many forms of Intel
# HEX (segment, linear and 16-bit addressing, records of 1 to 255 bytes, LF,
# CR LF and CR line ends, blank lines, comments, trailing blanks, a start
# address record, records in falling order) and checks every form with
# check_hex.sh.
#
#   srec_variants.sh PROBE SREC_CAT WORK_DIR
set -eu
probe=$1 srec_cat=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
checked=0
failed=0

# check NAME FLASH_SIZE [REFERENCE_NAME]
check() {
    if sh "$here/check_hex.sh" "$probe" "$srec_cat" "$2" "$work/$1.hex" "$work/${3:-$1}.hex" \
        "$work/out"; then
        :
    else
        failed=$((failed + 1))
    fi
    checked=$((checked + 1))
}

# image NAME FILL_RANGES...: random bytes in the given address ranges
image() {
    name=$1
    shift
    fills=""
    while [ $# -gt 1 ]; do
        fills="$fills -random-fill $1 $2"
        shift 2
    done
    # shellcheck disable=SC2086
    "$srec_cat" /dev/null -Binary $fills -o "$work/$name.hex" -Intel
}

image full8k 0 0x2000
image gaps128k 0 0x1235 0x2001 0x2003 0xFF00 0x10133 0x1A000 0x1A001 0x1FFF0 0x20000
image odd1k 0x101 0x1F3 0x3FF 0x400

for img in full8k gaps128k odd1k; do
    case $img in
    full8k) size=8192 lengths="2 3 4" ;;
    gaps128k) size=131072 lengths="3 4" ;;
    odd1k) size=1024 lengths="2 3 4" ;;
    esac
    for length in $lengths; do
        for block in 1 2 3 16 32 64 255; do
            name=${img}_a${length}_b$block
            "$srec_cat" "$work/$img.hex" -Intel -o "$work/$name.hex" -Intel \
                -address-length=$length -Output_Block_Size=$block
            check "$name" "$size"
        done
    done

    for ending in crlf nl; do
        "$srec_cat" "$work/$img.hex" -Intel -o "$work/${img}_$ending.hex" -Intel \
            -line-termination=$ending
        check "${img}_$ending" "$size"
        sed 's/$/\n/' "$work/${img}_$ending.hex" >"$work/${img}_${ending}_blank.hex"
        check "${img}_${ending}_blank" "$size" "${img}_$ending"
        awk '{ print; print ""; print "; comment"; print "" }' "$work/${img}_$ending.hex" \
            >"$work/${img}_${ending}_comments.hex"
        check "${img}_${ending}_comments" "$size" "${img}_$ending"
        sed 's/\r*$/   &/' "$work/${img}_$ending.hex" >"$work/${img}_${ending}_blanks.hex"
        check "${img}_${ending}_blanks" "$size" "${img}_$ending"
    done
    "$srec_cat" "$work/$img.hex" -Intel -o "$work/${img}_cr.hex" -Intel -line-termination=cr
    check "${img}_cr" "$size" "${img}_nl"

    "$srec_cat" "$work/$img.hex" -Intel -o "$work/${img}_start.hex" -Intel -address-length=4 \
        -execution-start-address=0x1234
    grep -q '^:04000005' "$work/${img}_start.hex"
    check "${img}_start" "$size"

    # Out of range: half the FLASH, and a FLASH too small for anything.
    check "$img" $((size / 2))
    check "$img" 2
done

# Records in falling address order, the end record last.
for img in full8k odd1k; do
    "$srec_cat" "$work/$img.hex" -Intel -o "$work/${img}_rise.hex" -Intel -address-length=2 \
        -Output_Block_Size=7
    { grep -v '^:00000001FF' "$work/${img}_rise.hex" | sed '1!G;h;$!d'; echo ':00000001FF'; } \
        >"$work/${img}_fall.hex"
    check "${img}_fall" 8192 "${img}_rise"
done

echo "$checked files checked, $failed failed"
[ "$failed" -eq 0 ]
