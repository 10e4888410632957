#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program against a simulated
# ATmega8 on a pseudo-terminal, mapped as its COM16, in a configuration folder
# of the run's own: the user's settings and port mapping are never touched.
# The chip keeps its contents from one run to the next (build/run-config).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PELLANDOR_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
# Without a display (a bare console or a CI machine) Qt needs the offscreen platform.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi

config=$build/run-config
ports="$config/Quillmere Pellandor/ports"
chip=$config/atmega8.chip
mkdir -p "$ports"
# Only the simulator is a port here: probing touches none of the machine's own.
for n in $(seq 15); do
    [ -e "$ports/com$n" ] || : >"$ports/com$n"
done
state_in=()
[ -f "$chip" ] && state_in=(--state-in "$chip")
"$build/tools/adapter-sim/adapter-sim" --chip atmega8 --link "$ports/com16" \
    "${state_in[@]}" --state-out "$chip" >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -e "$ports/com16" ] && break
    sleep 0.05
done
XDG_CONFIG_HOME=$config "$build/quillmere-pellandor"
