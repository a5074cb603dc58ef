#!/usr/bin/env bash
# Installs what is missing, builds, makes the demo call-list database (once, filled once a day)
# with its Ch.txt in demo/, and starts the station from that folder on the embedded engine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" appel calllist

demo="$root/demo"
mkdir -p "$demo"
"$root/build/tools/calllist" demo "$demo/demo.fdb"
if [ ! -f "$demo/Ch.txt" ]; then
    printf 'Poste d%sappel - démonstration\r\nAccueil 1\r\n\r\n%s\r\n' "'" "$demo/demo.fdb" \
        >"$demo/Ch.txt"
fi

cd "$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # No screen here: run on a virtual one and leave a picture of it in demo/screenshot.png.
    echo "Pas d'écran : le poste tourne sur un écran virtuel (:97), capture dans demo/screenshot.png"
    Xvfb :97 -screen 0 1280x800x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true' EXIT
    export DISPLAY=:97
    sleep 1
    ( sleep 6 && import -window root "$demo/screenshot.png" 2>/dev/null ) &
fi
"$root/build/app/appel"
