#!/usr/bin/env bash
# The commands of the workstation:
#   ./dev.sh run      install what is missing, build, make a demo database on first use, start
#   ./dev.sh test     install what is missing, build, run every test (embedded and server databases),
#                     then build the Debian package from the same build and check what it holds
#   ./dev.sh package  install what is missing, build, make build/zorvel_<version>_amd64.deb, run lintian
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)
build="$top/build"
jobs=$(nproc)

# What every command needs. An entry "a|b" is satisfied by either package and installs the first.
packages=(cmake g++ make pkg-config
          qt6-base-dev libgl-dev
          firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
          libzip-dev libpugixml-dev libgtest-dev googletest
          "libreoffice-calc-nogui|libreoffice-calc" python3-uno poppler-utils fonts-dejavu-core locales)
# Showing a workbook needs the desktop's opener and LibreOffice Calc with its window (which replaces the
# headless variant the tests make do with).
desktop_packages=(xdg-utils libreoffice-calc libreoffice-gtk3)
# Building and checking the Debian package: dpkg-shlibdeps (dpkg-dev) finds the libraries' packages.
package_tools=(dpkg-dev file lintian)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

install_packages() {
    local missing=() p choice found
    for p in "$@"; do
        found=
        for choice in ${p//|/ }; do installed "$choice" && found=1 && break; done
        [ -n "$found" ] || missing+=("${p%%|*}")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The tests that read workbooks back through LibreOffice run once more under a Russian locale (CTest names
# ending in ".ru_RU"); it is generated once.
russian_locale() {
    locale -a 2>/dev/null | grep -qix 'ru_RU.utf8' && return 0
    grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen
}

build_all() {
    cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
    cmake --build "$build" -j "$jobs"
}

# The Debian package from the build folder (CPack's DEB generator), checked for what it must hold.
make_package() {
    (cd "$build" && cpack -G DEB >/dev/null)
    local deb
    deb=$(ls -t "$build"/zorvel_*_amd64.deb | head -n 1)
    "$top/packaging/check_package.sh" "$deb"
    package_file=$deb
}

case "${1:-}" in
run)
    install_packages "${packages[@]}" "${desktop_packages[@]}"
    build_all
    work="$top/workdir"
    mkdir -p "$work"
    if [ ! -f "$work/put.ini" ]; then
        "$build/bin/zorvel-createdb" --demo "$work/demo.fdb"
        printf '[Put]\n1=%s\n2=%s\n' "$work/demo.fdb" "$work/backup/demo.fdb" > "$work/put.ini"
        mkdir -p "$work/backup"
    fi
    cd "$work"
    exec "$build/bin/zorvel" "${@:2}"
    ;;
test)
    install_packages "${packages[@]}" firebird3.0-server "${package_tools[@]}"
    russian_locale
    build_all
    # One test goes through a Firebird server on loopback; the script starts it for this run.
    server_pid=$("$top/tests/firebird_server.sh" start)
    trap '"$top/tests/firebird_server.sh" stop "$server_pid"' EXIT
    export ZORVEL_TEST_SERVER=localhost
    export QT_QPA_PLATFORM=offscreen
    (cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 600)
    make_package
    lintian --fail-on error "$package_file"
    ;;
package)
    install_packages "${packages[@]}" "${package_tools[@]}"
    build_all
    make_package
    lintian --fail-on error "$package_file"
    echo "$package_file"
    ;;
*)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac
