# A thin front over CMake. `make run` and `make test` install what is missing
# (as root), build, and then play or test.
BUILD_DIR := build
ASAN_DIR := build-asan
WEB_DIR := build-web
# Debian's emscripten needs Debian's node modules on node's path.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs
JOBS ?= $(shell nproc)
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
# Under a real display the tests use it; without one they get a virtual one.
WITH_DISPLAY := $(if $(DISPLAY),,$(XVFB))

.PHONY: all build deps run test test-asan package assets check-assets fuzz bench soak format clean \
	web serve-web dist-web

all: build

build:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS)

deps:
	scripts/install-deps.sh

run: deps build
	scripts/run-game.sh $(BUILD_DIR)/quorralith

# data/ is checked first: it takes seconds, and a stale data file then stops
# the run before the minutes of the two builds.
test: deps check-assets build test-asan web
	cd $(BUILD_DIR) && $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS)

# The Debian package, build/quorralith_<version>_amd64.deb (`make test` builds
# and checks one of its own).
package: deps build
	cd $(BUILD_DIR) && cpack -G DEB

# The context-free tests again, under AddressSanitizer and UBSan.
test-asan:
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUORRALITH_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS) -L pure

# The game for the browser, with Debian's emscripten: build-web/index.html
# with its .js, .wasm and .data (data/ preloaded), each also gzipped as the
# page downloads them, and the zip of all a host needs (dist-web).
web:
	scripts/install-deps.sh web
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_DIR) -j $(JOBS) --target quorralith web-page dist-web

# build-web/quorralith-web.zip: index.html at its root and every file the page
# reads, for a static host or a games portal (README.md).
dist-web: web
	python3 -m zipfile -l $(WEB_DIR)/quorralith-web.zip

# Serves the page on this machine only: http://127.0.0.1:8000/
serve-web: web
	cd $(WEB_DIR) && python3 -m http.server 8000 --bind 127.0.0.1

assets:
	scripts/make-assets.sh

# The generator is deterministic: data/ must be exactly what it writes.
check-assets:
	scripts/make-assets.sh --check

fuzz:
	scripts/install-deps.sh fuzz
	scripts/fuzz.sh

# The browser build too, for the page's figures: after the first build it is
# a few seconds of checking.
bench: deps build web
	scripts/run-benchmarks.sh $(BUILD_DIR) $(WEB_DIR)

# Five minutes of walking through the game: its memory must hold steady.
soak: build
	scripts/soak.sh $(BUILD_DIR)/quorralith data

format:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(WEB_DIR)
