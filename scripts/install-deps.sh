#!/bin/sh
# Installs the Debian packages that building, running and testing the game
# need, and only those that are missing. Idempotent: a second run does nothing.
# As root it runs apt-get; otherwise it prints the command for a root shell.
#
#   scripts/install-deps.sh          game build, run and tests (the tests
#                                    check the S3TC decoder against libsquish)
#   scripts/install-deps.sh tools    the asset generator in tools/
#   scripts/install-deps.sh fuzz     the libFuzzer targets
#   scripts/install-deps.sh web      the browser build (Debian's emscripten)
#                                    and its tests (Chromium, and the npm
#                                    packages pinned in tests/web)
set -eu

game_packages="cmake make g++ pkg-config libglfw3-dev libglew-dev libglm-dev \
libgtest-dev googletest libbenchmark-dev libgl1-mesa-dri libglx-mesa0 libgl-dev \
xvfb xauth xdotool imagemagick x11-utils coreutils apitrace python3 \
dpkg-dev lintian libsquish-dev libopenal-dev sox"
tools_packages="cmake make g++ libsquish-dev libfreetype-dev zlib1g-dev libglm-dev fonts-dejavu-core"
fuzz_packages="clang libclang-rt-14-dev"
# zopfli packs the page's downloads in gzip's format, some 5 % smaller than gzip -9.
web_packages="cmake make emscripten python3 chromium zopfli"

case "${1:-game}" in
    game) wanted=$game_packages ;;
    tools) wanted=$tools_packages ;;
    fuzz) wanted="$game_packages $fuzz_packages" ;;
    web)
        wanted=$web_packages
        # The browser tests' npm packages need node and npm, from Debian
        # unless the machine has its own.
        command -v npm >/dev/null 2>&1 || wanted="$wanted nodejs npm"
        ;;
    *) echo "usage: $0 [game|tools|fuzz|web]" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

# The browser tests' npm packages, exactly as tests/web/package-lock.json
# pins them, once the Debian packages are there.
install_npm_packages() {
    if [ "${1:-game}" = web ] && [ ! -d "$(dirname "$0")/../tests/web/node_modules/puppeteer-core" ]; then
        (cd "$(dirname "$0")/../tests/web" && npm ci --no-audit --no-fund)
    fi
}

if [ -z "$missing" ]; then
    install_npm_packages "${1:-game}"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages:$missing" >&2
    echo "Install them as root with:" >&2
    echo "  apt-get update && apt-get install -y$missing" >&2
    exit 1
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq $missing
install_npm_packages "${1:-game}"
