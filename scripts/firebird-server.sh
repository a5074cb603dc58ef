#!/usr/bin/env bash
# Starts or stops a Firebird server on 127.0.0.1 for the tests that need several stations on one
# shared database. `start` prints nothing when a server already answers; `stop` only stops a
# server that `start` started.
set -euo pipefail

password=${ISC_PASSWORD:-masterkey}
pidfile=/run/firebird3.0/appel-fbguard.pid
security=/var/lib/firebird/3.0/system/security3.fdb
conf=/etc/firebird/3.0/firebird.conf

answers() {
    fbsvcmgr 127.0.0.1:service_mgr -user SYSDBA -password "$password" info_server_version \
        >/dev/null 2>&1
}

running_pid() {
    # PID 1 of a container may not reap: a zombie counts as stopped.
    [ -f "$pidfile" ] || return 1
    local pid state
    pid=$(cat "$pidfile")
    [ -r "/proc/$pid/stat" ] || return 1
    state=$(awk '{print $3}' "/proc/$pid/stat")
    [ "$state" != Z ] || return 1
    echo "$pid"
}

start() {
    if answers; then
        return 0
    fi
    # The server listens on loopback only.
    if ! grep -q '^RemoteBindAddress = 127.0.0.1' "$conf"; then
        sed -i 's/^RemoteBindAddress.*$//' "$conf"
        echo 'RemoteBindAddress = 127.0.0.1' >>"$conf"
    fi
    # With the server stopped, give SYSDBA our password through the embedded engine.
    echo "create or alter user SYSDBA password '$password' using plugin Srp; commit;" |
        isql-fb -q -user SYSDBA "$security" >/dev/null
    mkdir -p /tmp/firebird /run/firebird3.0
    chown firebird:firebird /tmp/firebird /run/firebird3.0 "$security"
    chmod 0770 /tmp/firebird
    # Lock files left by embedded use as root must stay usable by the server's user.
    find /tmp/firebird -mindepth 1 -maxdepth 1 -exec chgrp firebird {} + -exec chmod g+rw {} +
    start-stop-daemon --start --background --chuid firebird --make-pidfile --pidfile "$pidfile" \
        --exec /usr/sbin/fbguard -- -forever
    for _ in $(seq 1 100); do
        if answers; then
            return 0
        fi
        sleep 0.2
    done
    echo "firebird-server: the server did not answer on 127.0.0.1" >&2
    return 1
}

stop() {
    local pid
    if pid=$(running_pid); then
        kill "$pid" 2>/dev/null || true
        pkill -u firebird -x firebird 2>/dev/null || true
        for _ in $(seq 1 50); do
            running_pid >/dev/null || break
            sleep 0.1
        done
    fi
    rm -f "$pidfile"
}

case "${1:-}" in
start) start ;;
stop) stop ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
