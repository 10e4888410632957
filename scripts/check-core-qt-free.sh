#!/usr/bin/env bash
# Fails when a core source (everything under src/ but the platform layer and
# the form files) includes a Qt header.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Form files are the ones whose name holds _form, _widget, _window or _dialog
# before the extension or before a further _part, and main.cpp.
core_files=$(git ls-files 'src/*.h' 'src/*.cpp' | grep -v '^src/platform/' |
    grep -v -E '_(form|widget|window|dialog)(_[a-z0-9_]+)?\.(h|cpp)$' | grep -v -E '(^|/)main\.cpp$' || true)
bad=$(grep -n -E '#\s*include\s*[<"](Q[A-Za-z]+|qt[a-z]*/|Qt[A-Za-z]+/)' $core_files || true)
if [ -n "$bad" ]; then
    echo "Core files include Qt headers:"
    echo "$bad"
    exit 1
fi
echo "No core file includes a Qt header ($(echo "$core_files" | wc -l) files checked)."
