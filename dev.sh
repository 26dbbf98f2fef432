#!/usr/bin/env bash
# The two commands of the workstation:
#   ./dev.sh run    install what is missing, build, make a demo database on first use, start
#   ./dev.sh test   install what is missing, build, run every test (embedded and server databases)
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)
build="$top/build"
jobs=$(nproc)

packages=(cmake g++ make pkg-config
          qt6-base-dev libgl-dev
          firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
          libzip-dev libpugixml-dev libgtest-dev googletest
          libreoffice-calc-nogui python3-uno poppler-utils fonts-dejavu-core)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_all() {
    cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$jobs"
}

case "${1:-}" in
run)
    install_packages "${packages[@]}"
    build_all
    work="$top/workdir"
    mkdir -p "$work"
    if [ ! -f "$work/put.ini" ]; then
        "$build/bin/zorvel-createdb" --demo "$work/demo.fdb"
        printf '[Put]\n1=%s\n2=%s\n' "$work/demo.fdb" "$work/backup/demo.fdb" > "$work/put.ini"
        mkdir -p "$work/backup"
    fi
    cp -n "$top/app/help/"* "$work/" 2>/dev/null || true
    cd "$work"
    exec "$build/bin/zorvel" "${@:2}"
    ;;
test)
    install_packages "${packages[@]}" firebird3.0-server
    build_all
    # One test goes through a Firebird server on loopback; the script starts it for this run.
    server_pid=$("$top/tests/firebird_server.sh" start)
    trap '"$top/tests/firebird_server.sh" stop "$server_pid"' EXIT
    export ZORVEL_TEST_SERVER=localhost
    export QT_QPA_PLATFORM=offscreen
    cd "$build"
    ctest --output-on-failure -j "$jobs" --timeout 600
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
