#!/usr/bin/env bash
# Starts a Firebird server on loopback for the tests that go through one, and stops it.
#   firebird_server.sh start       prints the process id it started (empty if one was already running)
#   firebird_server.sh stop PID
set -u
password=${ISC_PASSWORD:-quorlinet}
port_open() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

case "${1:-}" in
start)
    # SYSDBA gets the workstation's password first (a server the package may have started keeps the
    # security database to itself, and then it is left as it is).
    security=/var/lib/firebird/3.0/system/security3.fdb
    echo "create or alter user SYSDBA password '$password'; commit;" \
        | isql-fb -q -user SYSDBA "$security" >/dev/null 2>&1
    if port_open; then echo ""; exit 0; fi
    /usr/sbin/firebird >/tmp/zorvel-firebird.log 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
        port_open && { echo "$pid"; exit 0; }
        sleep 0.1
    done
    echo "Firebird server did not start, see /tmp/zorvel-firebird.log" >&2
    kill "$pid" 2>/dev/null
    echo ""
    ;;
stop)
    [ -n "${2:-}" ] && kill "$2" 2>/dev/null
    exit 0
    ;;
esac
