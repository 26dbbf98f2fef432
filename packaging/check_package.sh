#!/usr/bin/env bash
# check_package.sh DEB: lists what the Debian package holds and fails when a file or field it must have is
# missing (the commands, the templates and help, the conffile, the menu entry and icon, the manual pages).
set -euo pipefail
deb=$1
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
echo "$contents"
failed=0
need() {
    if ! grep -qxF "$1" <<<"$contents"; then
        echo "missing in $deb: $1" >&2
        failed=1
    fi
}
for f in /usr/bin/zorvel /usr/bin/zorvel-createdb /usr/bin/zorvel-upgrade \
         /usr/share/zorvel/kassa.xlsx /usr/share/zorvel/schet.xlsx /usr/share/zorvel/зорвель.html \
         /etc/zorvel/zorvel.conf /usr/share/applications/zorvel.desktop \
         /usr/share/icons/hicolor/scalable/apps/zorvel.svg \
         /usr/share/man/man1/zorvel.1.gz /usr/share/man/man1/zorvel-createdb.1.gz \
         /usr/share/man/man1/zorvel-upgrade.1.gz \
         /usr/share/doc/zorvel/copyright /usr/share/doc/zorvel/changelog.gz; do
    need "$f"
done
# Every template of the source tree is in the package.
for t in "$(dirname "$0")"/../templates/*.xlsx; do
    need "/usr/share/zorvel/$(basename "$t")"
done
control=$(mktemp -d)
trap 'rm -rf "$control"' EXIT
dpkg-deb -e "$deb" "$control"
if ! grep -qxF /etc/zorvel/zorvel.conf "$control/conffiles"; then
    echo "/etc/zorvel/zorvel.conf is not a conffile" >&2
    failed=1
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The libraries found by dpkg-shlibdeps and what the program loads or starts at run time.
for d in libqt6widgets6 libfbclient2 libzip4 libpugixml1v5 firebird3.0-server-core xdg-utils libreoffice-calc; do
    if ! grep -q "\b$d\b" <<<"$depends"; then
        echo "Depends lacks $d" >&2
        failed=1
    fi
done
exit $failed
