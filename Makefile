# The two commands: `make play` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: play test bench build configure deps clean web test-web bench-web assets story cp932-table screenshots keys graph package package-check fuzz test-asan fresh-check format format-check tidy tidy-changed

deps:
	@scripts/install-deps

# `make test` (and so CI) builds with warnings as errors; `make play` never does, so that a new
# compiler's warning cannot stop a player's build (after a `make test` it rebuilds without
# -Werror). Every other target keeps whatever the build folder's cache holds.
test: WERROR := -DFARROW_WERROR=ON
play: WERROR := -DFARROW_WERROR=OFF
# ccache where the machine has it (never required): an unchanged source is read back, not
# compiled again. A build folder keeps the launcher it was first configured with.
LAUNCHER := $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# Ninja (scripts/install-deps brings it): it starts a target's compiles before the libraries
# the target links are built, so every core stays busy. A build folder keeps the generator it was
# first configured with.
GENERATOR = $(if $(wildcard $(1)/CMakeCache.txt),,-G Ninja)
configure: deps
	@cmake -S . -B $(BUILD) $(call GENERATOR,$(BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Runs from the repository root, whose dat/ holds the story, pictures and sounds. Builds the
# game and what it links, no tests, benchmarks or tools.
play: configure
	@cmake --build $(BUILD) -j $(JOBS) --target farrowmere
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make play: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); the game needs a window." >&2; \
	  exit 1; \
	fi
	@$(BUILD)/app/farrowmere || { status=$$?; echo "make play: the game stopped with status $$status." >&2; exit 1; }

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UBSan in build-asan/; any finding
# fails its test. Leaks inside the system's libraries are suppressed (tests/sanitizers/lsan.supp).
# At -O1, as AddressSanitizer recommends (line tables only, enough for its reports), and only
# what the tests run: the benchmarks and the platform demo are left out of this tree.
ASAN_BUILD ?= build-asan
SANITIZE = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(call GENERATOR,$(ASAN_BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$(SANITIZE)" \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DFARROW_BENCHMARKS=OFF $(LAUNCHER) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Regenerates every picture, sound, tune and icon of dat/ (byte for byte the committed files),
# and enciphers the scenario.
assets: build story
	@$(BUILD)/tools/assets/farrow-assets dat

# Checks story/story.txt, enciphers it into dat/story.crp.txt with the game's key and draws its
# passage graph (commit all three).
story: configure
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-story
	@$(BUILD)/tools/farrow-story check story/story.txt
	@$(BUILD)/tools/farrow-story encode story/story.txt dat/story.crp.txt
	@$(MAKE) --no-print-directory graph

# Rewrites platform/Cp932Table.cpp, the program's CP932 table, from this machine's C library's
# CP932 converter (commit it; the test cp932_table_current compares the two).
cp932-table: configure
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-cp932-table
	@$(BUILD)/tools/farrow-cp932-table platform/Cp932Table.cpp

# Regenerates the README's screenshots (docs/screenshots/*.png, 400 x 400) by replaying
# docs/screenshots/screenshots.replay on the game of the repository root, headless.
screenshots: configure
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-replay
	@$(BUILD)/tools/farrow-replay --no-persist --shots docs/screenshots docs/screenshots/screenshots.replay >/dev/null

# Writes the key tables of README.md and dist/farrowmere.6 from the bindings table
# (player/Bindings.cpp), between their BEGIN and END markers; the test key_tables fails while a
# committed copy differs.
keys: configure
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-keys
	@$(BUILD)/tools/farrow-keys README.md dist/farrowmere.6

# Draws the story's passage graph from story/story.txt: docs/story-graph.dot, and its picture
# docs/story-graph.svg through Graphviz's dot. The test story_graph fails while the committed
# .dot differs from the tool's.
graph: configure
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-story
	@$(BUILD)/tools/farrow-story graph story/story.txt > docs/story-graph.dot.new && mv docs/story-graph.dot.new docs/story-graph.dot
	@$(BUILD)/tools/farrow-story graph story/story.txt --svg docs/story-graph.svg

# The Debian packages (farrowmere, farrowmere-data, farrowmere-tools), built by dpkg-buildpackage
# from a copy of the working tree in $(BUILD)/debian/, where the .deb files land (see README,
# "Install"). DEB_BUILD_OPTIONS=nocheck skips the test suite.
package:
	@scripts/install-deps package
	@scripts/build-packages $(BUILD)/debian

# Two package builds in two folders must give identical .deb files, lintian --pedantic must show
# no error or warning, and the packages must install, start and remove cleanly in a fresh root.
package-check:
	@scripts/install-deps package
	@scripts/package-check $(BUILD)/package-check

# Fuzzes each target of tests/fuzz with AFL++ for FUZZ_SECONDS (60) in build-fuzz/, under
# AddressSanitizer and UBSan; prints executions and findings. `make test` runs their corpora.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps fuzz
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/fuzz

# Headless: the soak plays through the real game, which opens SDL. Then the game on a desktop
# (Xvfb) beside a minimal SDL program: CPU at each factor and start-up (bench/desktop-bench).
bench: build
	@for b in $(BUILD)/bench/*-bench; do SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$$b" || exit 1; done
	@bench/desktop-bench $(BUILD)

# Tries the committed HEAD on a fresh minimal Debian (DIST=bookworm or trixie) made with
# debootstrap: the README's first line, then `make test` as a new user (TARGETS to change).
DIST ?= trixie
TARGETS ?= test
fresh-check:
	@scripts/fresh-check $(DIST) $(TARGETS)

# The project's own C++ sources (the tracked ones; build folders are not).
SOURCES = $(shell git ls-files '*.cpp' '*.h')

# clang-format's output differs between versions: the style is that of clang-format 19
# (19.1.7), which Debian 12 (in a point release, 1:19.1.7-3~deb12u1) and Debian 13 both ship, so that
# the check answers the same on both. scripts/install-deps brings it, and clang-tidy 19.
CLANG_FORMAT ?= clang-format-19

# Formats every source in place with .clang-format; format-check lists the files it would change.
format: deps
	@$(CLANG_FORMAT) -i $(SOURCES)

format-check: deps
	@$(CLANG_FORMAT) --dry-run --Werror $(SOURCES)

# The checks of .clang-tidy over every source file, with the build's flags (compile_commands.json),
# every finding an error; clang reads the string literals as UTF-8, which GCC turns into CP932.
# Debian 12's libstdc++ 12 calls get_temporary_buffer (deprecated in C++20) inside
# std::stable_sort: clang would report that in a system header on 12 and not on 13, so
# deprecations are not tidy's business. A full pass without a finding on a committed tree writes
# its commit into .ci/tidy-pass (commit that file too).
CLANG_TIDY ?= clang-tidy-19
TIDY_ARGS = $(BUILD) $(CLANG_TIDY) -fexec-charset=UTF-8 -Wno-unknown-warning-option -Wno-deprecated-declarations \
  -- $(filter %.cpp,$(SOURCES))
tidy: configure
	@scripts/tidy --record .ci/tidy-pass -j $(JOBS) $(TIDY_ARGS)

# The same checks (CI's) on what changed since the commit of .ci/tidy-pass: a source that neither
# changed nor includes a header that changed is not checked (a change to .clang-tidy or the CMake
# files checks all); of the rest, one that passed before on this machine with exactly the same
# inputs (clang-tidy's version, the installed packages, its compile command, its content and its
# headers') is not checked again (scripts/tidy). After `make build` the build's dependency files
# say which headers; otherwise the compiler is asked.
tidy-changed: configure
	@scripts/tidy --cache --since .ci/tidy-pass -j $(JOBS) $(TIDY_ARGS)

# The browser edition: a folder $(WEB)/web/ that any web server can serve (README, "The browser
# edition"), built with Debian's emscripten from what Debian's archive holds, nothing else.
WEB ?= build-web
# emcc offline: Debian's prebuilt system libraries, frozen, so that nothing is built into or
# fetched for its cache (a port such as SDL is refused, not downloaded). A node from outside
# Debian does not look in /usr/share/nodejs, where Debian's emscripten finds acorn.
WEB_ENV = EM_FROZEN_CACHE=1 NODE_PATH=/usr/share/nodejs
# What the page is made of: the game's sources and build files, copied to $(WEB)/src.
WEB_SOURCES = $(shell git ls-files -- '*.cpp' '*.h' ':!tests' ':!tools' ':!bench')
WEB_CMAKE = $(shell git ls-files -- CMakeLists.txt '*/CMakeLists.txt' ':!tests' ':!tools' ':!bench' ':!dist') \
  tools/replay/CMakeLists.txt bench/page/CMakeLists.txt
# The replay harness's and the frame benchmark's own sources, built for a page of their own
# ($(WEB)/harness/, beside the game's page: scripts/web-replay, make test-web, make bench-web).
WEB_HARNESS = $(shell git ls-files -- tools/replay/'*.cpp' bench/page/'*.cpp' bench/FrameStage.cpp bench/FrameStage.h)
WEB_DATA = $(WEB)/data
# The page draws its text as the desktop built beside it: bold glyphs advance by their widening
# from SDL_ttf 2.22 on (Debian 13), not before (Debian 12).
WEB_BOLD = $(shell pkg-config --atleast-version=2.22 SDL2_ttf && echo ON || echo OFF)
# em++ through ccache too: ccache knows a compiler by its file's time, which for em++ is that of
# emscripten's wrapper script, not of the clang that compiles, so the versions of both stand in.
WEB_LAUNCHER = $(if $(LAUNCHER),"-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_COMPILERCHECK=string:$$(env $(WEB_ENV) emcc -v 2>&1 \
  | grep -E '^emcc|clang version' | sha256sum | cut -c1-16);ccache")
web: configure
	@scripts/install-deps web
	@env $(WEB_ENV) scripts/web-deps $(WEB)/deps
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-cp932-literals
	@$(BUILD)/tools/farrow-cp932-literals $(WEB)/src $(WEB_SOURCES) $(WEB_HARNESS)
	@for f in $(WEB_CMAKE); do install -C -D -m 644 $$f $(WEB)/src/$$f; done
	@[ -f $(WEB)/tree/CMakeCache.txt ] || env $(WEB_ENV) emcmake cmake -S $(WEB)/src -B $(WEB)/tree -G Ninja \
	  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFARROW_WEB_DEPS=$(CURDIR)/$(WEB)/deps $(WEB_LAUNCHER) >/dev/null
	@env $(WEB_ENV) cmake -S $(WEB)/src -B $(WEB)/tree -DFARROW_BOLD_WIDENS_ADVANCE=$(WEB_BOLD) >/dev/null
	@env $(WEB_ENV) cmake --build $(WEB)/tree -j $(JOBS)
	@$(MAKE) -s --no-print-directory $(WEB)/web/farrowmere.data
	@mkdir -p $(WEB)/web && cp web/* $(WEB)/web/
	@if [ -f $(WEB)/tree/app/farrowmere.wasm ]; then cp $(WEB)/tree/app/farrowmere.js $(WEB)/tree/app/farrowmere.wasm $(WEB)/web/; fi
	@mkdir -p $(WEB)/harness && cp tests/web/harness.html $(WEB)/tree/tools/farrow-replay.js $(WEB)/tree/tools/farrow-replay.wasm \
	  $(WEB)/tree/tools/farrow-frame-bench.js $(WEB)/tree/tools/farrow-frame-bench.wasm $(WEB)/harness/
	@echo "make web: $(WEB)/web/, $$(du -cb $(WEB)/web/* | tail -1 | cut -f1) bytes; serve it with: python3 -m http.server -d $(WEB)/web"

# The page's faces: the IPA faces cut down to the characters used, renamed, with their licence.
$(WEB_DATA)/fonts/LICENSE: story/story.txt $(WEB_SOURCES) scripts/web-fonts
	@scripts/web-fonts $(WEB_DATA)/fonts

# The tune as the page plays it: the MIDI file rendered once with Debian's GM soundfont, as Ogg
# Vorbis beside it (dat/farrow.ogg).
$(WEB_DATA)/farrow.ogg: dat/farrow.mid
	@mkdir -p $(@D)
	@fluidsynth -q -n -i -r 44100 -F $(@D)/farrow.wav /usr/share/sounds/sf2/FluidR3_GM.sf2 $< >/dev/null
	@sox $(@D)/farrow.wav $@ && rm $(@D)/farrow.wav

# The data package the page loads: dat/ with the tune, and the faces, at /dat and /fonts.
$(WEB)/web/farrowmere.data: $(wildcard dat/*) $(WEB_DATA)/farrow.ogg $(WEB_DATA)/fonts/LICENSE
	@mkdir -p $(WEB_DATA)/dat $(@D) && cp dat/* $(WEB_DATA)/farrow.ogg $(WEB_DATA)/dat/
	@cd $(WEB_DATA) && env $(WEB_ENV) python3 /usr/share/emscripten/tools/file_packager.py $(CURDIR)/$@ \
	  --preload dat fonts --js-output=$(CURDIR)/$(@D)/farrowmere-data.js >/dev/null 2>packager.log \
	  || { cat packager.log >&2; exit 1; }

# What drives Chromium (playwright-core, pinned in tests/web), installed again only when the lock
# changed; node_modules lives in $(WEB)/node, never in the repository.
WEB_NODE = $(WEB)/node
$(WEB_NODE)/node_modules/.package-lock.json: tests/web/package.json tests/web/package-lock.json
	@mkdir -p $(WEB_NODE) && cp tests/web/package.json tests/web/package-lock.json $(WEB_NODE)/
	@cd $(WEB_NODE) && npm ci --no-audit --no-fund --loglevel=error >/dev/null
	@touch $@

# The browser edition's tests in Debian's Chromium (tests/web/run.js): every replay case of
# tests/replay as natively, the title frame against the desktop's, and tests/web/*.test.js.
test-web: web $(WEB_NODE)/node_modules/.package-lock.json
	@cmake --build $(BUILD) -j $(JOBS) --target farrow-replay farrow-story
	@NODE_PATH=$(CURDIR)/$(WEB_NODE)/node_modules FARROW_BUILD=$(BUILD) node tests/web/run.js

# The page's speed against the desktop's in the same run (tests/web/bench.js): a frame's CPU time
# in Chromium and natively, and the page's frame loop's frames a second.
bench-web: web $(WEB_NODE)/node_modules/.package-lock.json
	@cmake --build $(BUILD) -j $(JOBS) --target paint-bench
	@NODE_PATH=$(CURDIR)/$(WEB_NODE)/node_modules FARROW_BUILD=$(BUILD) node tests/web/bench.js

clean:
	rm -rf $(BUILD) build-fuzz $(ASAN_BUILD) $(WEB)
