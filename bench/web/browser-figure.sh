#!/bin/sh
# The browser page's figures: what a visitor downloads (raw and compressed),
# then, from one headless Chromium, the time to the first frame on first
# visits, the WebGL calls of a frame and the bytes a first visit sends over
# the wire, and the game's frame time against the floor (floor.html) in pairs; see
# browser_bench.mjs for how. The build and the floor are served from this
# machine only, by a server this script starts and stops.
# Says so and passes when there is no browser build, or no Chromium to run it
# in: the desktop figures stand without it. Fails, with one line, when a page
# does not start or a figure cannot be trusted.
# Arguments: the browser build directory, [PAIRS], [SECONDS], [LOADS].
set -eu
here=$(cd "$(dirname "$0")" && pwd)
web=${1:-build-web}
pairs=${2:-10}
seconds=${3:-3}
loads=${4:-5}

if [ ! -f "$web/index.html" ]; then
    echo "skipped: no browser build in $web (make web)"
    exit 0
fi
web=$(cd "$web" && pwd)
node "$here/download-sizes.mjs" "$web"
if [ ! -x /usr/bin/chromium ] || [ ! -d "$here/../../tests/web/node_modules/puppeteer-core" ]; then
    echo "browser frame time and first frame skipped: no Chromium or puppeteer-core (scripts/install-deps.sh web)"
    exit 0
fi

# One server for both pages: the game under /game/, the floor under /floor/.
site=$(mktemp -d)
ln -s "$web" "$site/game"
ln -s "$here" "$site/floor"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 "$here/counting_server.py" "$port" "$site" "$site.bytes" >"$site.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; rm -rf "$site" "$site.log" "$site.bytes"' EXIT

# serving URL: true once the server answers for URL.
serving() {
    python3 -c 'import sys, urllib.request; urllib.request.urlopen(sys.argv[1], timeout=1)' "$1" 2>/dev/null
}
waited=0
until serving "http://127.0.0.1:$port/floor/floor.html"; do
    if [ "$waited" -ge 50 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "FAIL: the page server on port $port did not answer: $(cat "$site.log")"
        exit 1
    fi
    sleep 0.1
    waited=$((waited + 1))
done

node "$here/browser_bench.mjs" "http://127.0.0.1:$port/game/" \
    "http://127.0.0.1:$port/floor/floor.html" "$pairs" "$seconds" "$loads" "$site.bytes"
