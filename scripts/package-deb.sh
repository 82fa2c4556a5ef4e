#!/usr/bin/env bash
# Builds the Debian package of Norvel (Release, build/release) with CPack and prints its
# name and size. With --install-test it then installs the package with dpkg on this
# machine, starts the installed programs offscreen on the sample dictionaries, and removes
# the package again (needs root).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${NORVEL_BUILD_DIR:-$root/build/release}"
"$root/scripts/install-deps.sh" >&2
"$root/scripts/configure-release.sh" "$build"
cmake --build "$build" >&2
(cd "$build" && cpack -G DEB >&2)
package="$(ls -t "$build"/norvel_*.deb | head -1)"
echo "$package: $(du -h "$package" | cut -f1) ($(stat -c %s "$package") bytes)"
[ "${1:-}" = "--install-test" ] || exit 0

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$package" >/dev/null 2>&1 || dpkg -i "$package"
home="$(mktemp -d)"
trap 'rm -rf "$home"; dpkg -r norvel >/dev/null 2>&1 || true' EXIT
run() {
    env -u ZEL_MACHINE_HIVE QT_QPA_PLATFORM=offscreen ZEL_USER_HIVE="$home/user.reg" \
        XDG_DATA_HOME="$home/data" "$@"
}
echo "installed: $(dpkg-query -W -f='${Package} ${Version} ${Installed-Size} KB' norvel)"
run NORVEL_QUIT_WHEN_IDLE=1 /usr/bin/norvel -ns | tee "$home/nv.log"
grep -q "Norvel is up with 12 dictionaries" "$home/nv.log"
run /usr/bin/nvlook lookup "Le case sono belle" | head -5
run /usr/bin/quick-norvel --lookup children --pair en-it | head -3
test -L /usr/share/applications/norvel.desktop
dpkg -r norvel >/dev/null
test ! -e /usr/bin/norvel
echo "The package installs, starts on its dictionaries and removes cleanly."
