#!/usr/bin/env bash
# Journeys through the real workstation under a virtual display: NV driven by X input
# events (xdotool), what it shows read back through the accessibility bus (AT-SPI), as
# tests/journeys/journeys.py says. Usage: scripts/gui-journeys.sh [BUILD-DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ZEL_USER_HIVE="$work/user.reg" XDG_DATA_HOME="$work/data"
printf 'Windows Registry Editor Version 5.00\n\n[Software\\VRD\\NV\\1.0]\n"Locale"=dword:00000009\n' \
    > "$ZEL_USER_HIVE"
unset ZEL_MACHINE_HIVE QT_QPA_PLATFORM
cat > "$work/session.sh" <<SESSION
#!/usr/bin/env bash
/usr/libexec/at-spi-bus-launcher --launch-immediately &
# A program started before the accessibility bus answers never joins it: wait for the bus.
for _ in \$(seq 100); do
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus \
        org.a11y.Bus.GetAddress > /dev/null 2>&1 && break
    sleep 0.1
done
exec /usr/bin/python3 "$root/tests/journeys/journeys.py" "$build/bin/NV"
SESSION
chmod +x "$work/session.sh"
xvfb-run -a -n 120 -s '-screen 0 1280x800x24' dbus-run-session -- "$work/session.sh"
