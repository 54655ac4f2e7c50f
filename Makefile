# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers

BUILD_DIR ?= build
JOBS ?= 2

.PHONY: run test build deps test-deps configure

# The tests are compiled only for `make test` (and `make build`); `make run` leaves them
# out, and with them the packages only they need.
TESTING ?= ON
run: TESTING = OFF
run: deps build
	./$(BUILD_DIR)/runeshot

test: TESTING = ON
test: test-deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

configure:
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=$(TESTING)

deps:
	tools/install-deps build

test-deps:
	tools/install-deps test

# Sanitized and fuzzed builds live in folders of their own.
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := game_length game_events

# Qt, fontconfig and D-Bus keep caches for the life of the process; LeakSanitizer leaves
# those alone and still reports every leak of the program's own code.
SANITIZER_ENV := \
	ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0

.PHONY: sanitize fuzz test-fresh

# The whole test suite with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer.
# Test discovery runs the test programs while building, so the build gets the options too.
sanitize: test-deps
	cmake -S . -B $(ASAN_BUILD_DIR) -DRUNESHOT_SANITIZE=ON
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD_DIR) -j$(JOBS)
	cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

# The README's `make test` in a freshly bootstrapped Debian 13, from a clean clone of this
# checkout's commit, so that a missing install step shows. Needs root and the Debian
# archive that this machine's apt sources name. The bootstrapped base and the packages apt
# downloads are cached in /var/cache/runeshot-fresh/ between runs; the project never is.
# FRESH_RELEASE=bookworm tries Debian 12.
FRESH_RELEASE ?= trixie
test-fresh:
	tools/make-on-fresh-debian $(FRESH_RELEASE) test

# Fuzzes each target for FUZZ_SECONDS from its hand-written seeds and kept corpus, then keeps
# in tests/fuzz/corpus/<target> the smallest set of inputs that reaches every edge reached so
# far; the normal test run replays seeds and corpus. Inputs that break a rule are left in
# $(FUZZ_BUILD_DIR)/fuzz-artifacts.
fuzz:
	tools/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_CXX_COMPILER=clang++ -DRUNESHOT_FUZZ=ON
	cmake --build $(FUZZ_BUILD_DIR) -j$(JOBS) --target $(FUZZ_TARGETS:%=%_fuzz)
	set -e; for t in $(FUZZ_TARGETS); do \
	  fuzzer=$(FUZZ_BUILD_DIR)/tests/fuzz/$${t}_fuzz; \
	  seeds=tests/fuzz/seeds/$$t; kept=tests/fuzz/corpus/$$t; \
	  found=$(FUZZ_BUILD_DIR)/fuzz-corpus/$$t; fresh=$(FUZZ_BUILD_DIR)/fuzz-merged/$$t; \
	  mkdir -p $$kept $$found $(FUZZ_BUILD_DIR)/fuzz-artifacts; \
	  $$fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=1024 -timeout=10 \
	    -artifact_prefix=$(FUZZ_BUILD_DIR)/fuzz-artifacts/$$t- $$found $$seeds $$kept; \
	  rm -rf $$fresh; mkdir -p $$fresh; \
	  $$fuzzer -merge=1 -use_counters=0 $$fresh $$kept $$found; \
	  rm -f $$kept/*; cp $$fresh/* $$kept/; \
	  echo "$$t: $$(ls $$kept | wc -l) inputs kept in $$kept"; \
	done

# Speed, memory and timing figures of a release build, printed as one table (recorded in
# docs/benchmarks.md). BENCH_ARGS=--no-real-game leaves out the 100-second game.
BENCH_BUILD_DIR ?= build-bench
BENCH_ARGS ?=
PACKAGE_BUILD_DIR ?= build-pkg

.PHONY: bench package

bench:
	tools/install-deps bench
	cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DRUNESHOT_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build $(BENCH_BUILD_DIR) -j$(JOBS) --target bench_programs
	bench/run_bench $(BENCH_BUILD_DIR) $(BENCH_ARGS)

# The Debian source package and the .deb, made by dpkg-buildpackage from the committed
# files (with their uncommitted edits) in $(PACKAGE_BUILD_DIR), and refused when lintian finds
# an error or a warning in either. Debian 12's lintian knows neither Debian 13's policy, which
# debian/control follows, nor the tag that Debian 13's lintian needs overridden.
package:
	tools/install-deps package
	set -e; version=$$(dpkg-parsechangelog -S Version); tree=$$(git stash create); \
	  rm -rf $(PACKAGE_BUILD_DIR); mkdir -p $(PACKAGE_BUILD_DIR); \
	  git archive --prefix=runeshot-$$version/ $${tree:-HEAD} | tar -x -C $(PACKAGE_BUILD_DIR); \
	  cd $(PACKAGE_BUILD_DIR)/runeshot-$$version && dpkg-buildpackage -us -uc -J$(JOBS)
	lintian -I --pedantic --suppress-tags newer-standards-version,alien-tag --fail-on error,warning \
	  $(PACKAGE_BUILD_DIR)/*.changes
	tests/package/deb_package_test.sh $(PACKAGE_BUILD_DIR)/runeshot_*.deb

# The game for Windows: Qt, SDL and GoogleTest built once from Debian's sources with
# MinGW-w64 (windows-toolchain: 40 minutes the first time on two cores) and kept in
# $(WINDOWS_CACHE), outside the project; then the game, cross-built in $(WINDOWS_BUILD_DIR),
# packed as runeshot-VERSION-windows-x86_64.zip there and as the installer
# runeshot-VERSION-windows-x86_64-setup.exe beside it. Needs root for the cache, as
# test-fresh does. test-windows runs the core's tests under Wine, then the game from its
# unpacked zip, and installs, plays and removes it with its installer.
WINDOWS_BUILD_DIR ?= build-windows
WINDOWS_CACHE ?= /var/cache/runeshot-windows
WINDOWS_PREFIX := $(WINDOWS_CACHE)/prefix

.PHONY: windows test-windows windows-build windows-toolchain

windows: TESTING = OFF
windows: windows-build

test-windows: TESTING = ON
test-windows: windows-build
	cd $(WINDOWS_BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

windows-toolchain:
	tools/install-deps windows
	RUNESHOT_WINDOWS_CACHE=$(WINDOWS_CACHE) JOBS=$(JOBS) tools/windows/build-toolchain

# The linker and strip stamp Windows programs with SOURCE_DATE_EPOCH, taken from the
# changelog as the Debian package takes it, so that two builds give the same installer.
WINDOWS_DATE = SOURCE_DATE_EPOCH=$${SOURCE_DATE_EPOCH:-$$(dpkg-parsechangelog -STimestamp)}

windows-build: windows-toolchain
	cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_PREFIX)/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/mingw-x86_64.cmake \
	  "-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tools/windows/wine-run;$(abspath $(WINDOWS_BUILD_DIR))/wine" \
	  -DBUILD_TESTING=$(TESTING)
	$(WINDOWS_DATE) cmake --build $(WINDOWS_BUILD_DIR) -j$(JOBS)
	$(WINDOWS_DATE) cmake --build $(WINDOWS_BUILD_DIR) --target windows-setup

# The game in a browser: the core compiled to WebAssembly by Debian's emscripten, and the
# static site around it in $(WEB_BUILD_DIR)/site, which any web server can serve as it is.
# emcc runs Node programs that need Debian's node-acorn, where a Node from elsewhere does
# not look; Debian's Emscripten.cmake would otherwise pass Node a flag Node 20 rejects.
# run-web serves the site on 127.0.0.1 (WEB_PORT=0 picks a free port).
WEB_BUILD_DIR ?= build-web
WEB_PORT ?= 8024

.PHONY: web run-web

web: TESTING = OFF
web: export NODE_PATH = /usr/share/nodejs
web:
	tools/install-deps web
	emcmake cmake -S . -B $(WEB_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$$(command -v node) -DBUILD_TESTING=$(TESTING)
	cmake --build $(WEB_BUILD_DIR) -j$(JOBS) --target runeshot_site

run-web: web
	tools/web/serve $(WEB_BUILD_DIR)/site $(WEB_PORT)

# The page's tests: the core's unit tests compiled with emscripten and run by ctest under
# Node in $(WEB_BUILD_DIR) (only here: `make web` leaves them out), then the page, served on
# 127.0.0.1, played in Chromium and in Firefox ESR, headless, by puppeteer-core, which
# tests/web/package-lock.json pins (it downloads no browser; a copy in npm's cache is used
# as it is). bench-web prints the page's figures (recorded in docs/benchmarks.md).
WEB_TEST_PACKAGES := cd tests/web && npm ci --prefer-offline --ignore-scripts --no-audit --no-fund

.PHONY: test-web bench-web

test-web: export NODE_PATH = /usr/share/nodejs
test-web:
	$(MAKE) web TESTING=ON
	cmake --build $(WEB_BUILD_DIR) -j$(JOBS)
	cd $(WEB_BUILD_DIR) && ctest --output-on-failure -j$(JOBS)
	$(WEB_TEST_PACKAGES)
	cd tests/web && RUNESHOT_SITE=$(abspath $(WEB_BUILD_DIR))/site node --test play_test.mjs

bench-web:
	$(MAKE) web
	$(WEB_TEST_PACKAGES)
	node bench/web_figures.mjs $(WEB_BUILD_DIR)/site
