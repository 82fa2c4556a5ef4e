#!/usr/bin/env bash
# Builds Norvel if needed (installing what is missing, reusing an existing build) with
# its sample installation. With no arguments it opens the workstation when a display is
# available, and otherwise says so and shows the nvlook demonstration (a look-up of an
# Italian and an English sentence). With arguments it runs the command-line front end
# nvlook with them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/release"
"$root/scripts/install-deps.sh" >&2
"$root/scripts/configure-release.sh" "$build"
cmake --build "$build" --target nvlook NV sample >&2
nvlook="$build/bin/nvlook"
if [ $# -eq 0 ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec "$build/bin/NV"
fi
if [ $# -eq 0 ]; then
    echo "No display here: the workstation needs one. The command-line front end instead:"
    echo
    echo "\$ nvlook lookup \"Le case sono belle\""
    "$nvlook" lookup "Le case sono belle" || true
    echo
    echo "\$ nvlook --pair en-it lookup \"The children were running\""
    "$nvlook" --pair en-it lookup "The children were running" || true
    echo
    echo "More: $nvlook --help"
    exit 0
fi
exec "$nvlook" "$@"
