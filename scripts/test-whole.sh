#!/usr/bin/env bash
# Runs test binaries of a build each as one whole process, its tests in a new
# random order every time (its seed printed), so that a test which leaves
# state behind fails here, where CTest's one process per test would hide it.
# With --busy, one busy loop per processor runs beside them, as on a machine
# that other work keeps busy; the loops end with the script.
#
#   bash scripts/test-whole.sh BUILD [--busy] NAME...
#
# A NAME may be a pattern such as '*_form_tests'.
set -euo pipefail
build=$1
shift
busy=0
if [ "${1:-}" = --busy ]; then
    busy=1
    shift
fi

loops=()
stop_loops() {
    if [ ${#loops[@]} -gt 0 ]; then
        kill "${loops[@]}" 2>/dev/null || true
        wait "${loops[@]}" 2>/dev/null || true
    fi
}
trap stop_loops EXIT
if [ "$busy" = 1 ]; then
    for _ in $(seq "$(nproc)"); do
        (while :; do :; done) &
        loops+=($!)
    done
    echo "${#loops[@]} busy loops running"
fi

log=$(mktemp)
status=0
ran=0
for name in "$@"; do
    while IFS= read -r binary; do
        seed=$((RANDOM + 1))
        echo "-- $(basename "$binary") --gtest_shuffle --gtest_random_seed=$seed"
        start=$SECONDS
        if ! QT_QPA_PLATFORM=offscreen "$binary" --gtest_shuffle --gtest_random_seed="$seed" \
            --gtest_brief=1 >"$log" 2>&1; then
            status=1
        fi
        # The offscreen platform's notes on what it cannot do are no news.
        grep -v -e 'does not support' -e 'XDG_RUNTIME_DIR' "$log" || true
        echo "   $((SECONDS - start)) s"
        ran=$((ran + 1))
    done < <(find "$build/tests" -type f -perm -u+x -name "$name" | sort)
done
rm -f "$log"
if [ "$ran" -eq 0 ]; then
    echo "no test binary matched: $*" >&2
    exit 1
fi
exit "$status"
