#!/usr/bin/env bash
# Installs what is missing, builds everything, starts a Firebird server on 127.0.0.1 for the
# several-stations tests, runs every test with CTest, stops what it started. Exits non-zero on any
# failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

started=0
if ! fbsvcmgr 127.0.0.1:service_mgr -user SYSDBA -password "${ISC_PASSWORD:-masterkey}" \
    info_server_version >/dev/null 2>&1; then
    "$root/scripts/firebird-server.sh" start
    started=1
fi
status=0
ctest --test-dir "$root/build" --output-on-failure -j2 || status=$?
if [ "$started" = 1 ]; then
    "$root/scripts/firebird-server.sh" stop
fi
exit "$status"
