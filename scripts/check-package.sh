#!/usr/bin/env bash
# Builds the Debian package and checks it as CI does, as root on a machine
# where it may be installed and removed: lintian (no error, no warning), the
# desktop entry and AppStream file validated, installed with apt so that its
# dependencies resolve, the installed vyra-select and desktop program run,
# then purged, leaving none of its files behind.
set -euo pipefail
cd "$(dirname "$0")/.."
package=$(bash scripts/package.sh)
bash scripts/install-deps.sh lintian desktop-file-utils appstream shared-mime-info
export DEBIAN_FRONTEND=noninteractive

echo "== lintian"
lintian --fail-on error,warning "$package"

echo "== installing $package"
apt-get install -y -qq "./$package" >/dev/null
installed=$(dpkg -L vyrasensorselector)
desktop-file-validate /usr/share/applications/vyrasensorselector.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.vyrasensorselector.VyraSensorSelector.metainfo.xml
grep -q 'vyracase' /usr/share/mime/globs2 || { echo "the case file type is not registered"; exit 1; }

echo "== the installed programs"
/usr/bin/vyra-select --version
/usr/bin/VyraSensorSelector --version
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
worked=(--tension 10 --diameter 100 --roller-weight 10 --alpha 0 --beta 0 --gamma 0 --position 0 --height 0
        --bearing-weight 1 --speed 100)
(cd "$work" && /usr/bin/vyra-select "${worked[@]}" --report report.pdf) | grep -q "^2 Vyra05A .* yes$"
[ -s "$work/report.pdf" ] || { echo "the installed vyra-select wrote no report"; exit 1; }
bash tests/packaging/installed-desktop.sh

echo "== purging"
apt-get purge -y -qq vyrasensorselector >/dev/null
left=0
while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
        echo "left behind: $path"
        left=1
    fi
done <<<"$installed"
[ "$left" -eq 0 ] && echo "the package installed, ran and left nothing behind"
exit "$left"
