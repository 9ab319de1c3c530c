# SPDX-License-Identifier: MIT
# Zorvane: `make run` builds and opens the window, `make test` runs every test
# (plain, under the sanitizers, the Windows build's under wine, a short run of
# each fuzz target and a short soak in a real X server); `make fuzz` fuzzes
# longer and `make soak` soaks for ten minutes; `make windows` cross-builds
# for Windows. Each first installs the Debian packages it needs when any is
# missing.
#
# Each kind of build has a folder of its own, configured always the same way,
# so that one never reconfigures another and running them in turn rebuilds
# only what changed: the program in build/, the tests in build-test/, the
# sanitizers in build-sanitize/, the fuzz targets in build-fuzz/, the
# benchmarks in build-bench/ and the Windows build in build-windows/.

SHELL := /bin/bash

BUILD_DIR   ?= build
TEST_DIR    ?= build-test
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR    ?= build-fuzz
BENCH_DIR   ?= build-bench
WINDOWS_DIR ?= build-windows
FUZZ_SECONDS ?= 60
# How long each fuzz target runs inside `make test`.
TEST_FUZZ_SECONDS ?= 5
FUZZ_TARGETS := conversions property_bag form_design paste picture_file
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= $(shell nproc)

# What building and running needs (the X keyboard extension's client library
# lets a held key come up once).
PACKAGES := cmake make g++ pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxcb-xkb-dev \
  fonts-wqy-microhei fonts-wqy-zenhei qt6-translations-l10n libstb-dev
# What the tests need on top: GoogleTest, a real X server to drive the
# program in, the tools that type, click and read the clipboard there, the
# accessibility bus with a client that reads it as a screen reader does, the
# formatters the file-system suite measures, what checks the package and its
# manual pages, X client libraries that read the screen back and record the
# program's requests, OCR to read the fields' digits off the screen, Qt's
# GTK theme for a dark desktop, and a Wayland compositor to nest in the X
# server, with Qt's Wayland plugin, the Wayland clipboard tools, a screen
# grabber and jq to read the compositor's answers.
TEST_PACKAGES := libgtest-dev xvfb xauth x11-utils xdotool xclip clang libclang-rt-14-dev \
  desktop-file-utils appstream dpkg-dev file dbus-daemon at-spi2-core python3-pyatspi \
  dosfstools ntfs-3g python3 \
  lintian man-db \
  libxcb1-dev libxcb-record0-dev tesseract-ocr tesseract-ocr-eng qt6-gtk-platformtheme \
  sway qt6-wayland wl-clipboard grim jq

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# What `make bench` needs on top: Google Benchmark, the X damage extension's
# client library for the start-up probe, a session bus for the programs
# measured, awk for the companion's yardstick, and Python for the report.
# (The Windows rows' cross-compiler, wine and objdump come with `make
# windows`, which `make bench` runs.)
BENCH_PACKAGES := libbenchmark-dev libxcb-damage0-dev xvfb xdotool dbus-daemon mawk python3

# How long `make soak` drives the real program in a real X server, and what
# it needs for that: a window manager, so that minimising means something,
# the tools that type, click and fill the clipboard, and xrestop to read what
# the X server holds for the program.
SOAK_SECONDS ?= 600
# The short soaks inside `make test`: one with a fresh random seed, and one
# with a seed whose session first opened the field's context menu late
# (step 97, after 32 s), which once failed a warm-up of a fixed 20 s.
TEST_SOAK_SECONDS ?= 60
TEST_SOAK_SEED ?= 2065420294
SOAK_PACKAGES := xvfb x11-utils xdotool xclip xrestop openbox python3

# What `make windows` needs: CMake, the mingw-w64 cross-compiler for 64-bit
# Windows with POSIX threads, GoogleTest's sources to build with it, NSIS to
# make the installer, and wine (wine64; wine brings the command) to run what
# it builds.
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64-posix googletest nsis wine wine64
# What its tests need on top: an X server for the programs' windows under
# wine, xdotool to drive them, strings to read the installer's shortcut, and
# a window manager, so that minimising means something.
WINDOWS_TEST_PACKAGES := python3 xvfb xdotool binutils openbox

PREFIX ?= /usr/local

# How build/ is configured, whichever target builds there.
PROGRAM_OPTIONS = -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_TESTS=OFF -DZORVANE_BUILD_BENCH=OFF

.PHONY: all build run test deps test-deps bench fuzz fuzz-build soak install package clean windows test-windows

all: build

define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get -o DPkg::Lock::Timeout=600 update -q && \
	    DEBIAN_FRONTEND=noninteractive $$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

test-deps: deps
	$(call install_missing,$(TEST_PACKAGES))

build: deps
	cmake -S . -B $(BUILD_DIR) $(PROGRAM_OPTIONS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/zorvane

# The programs, desktop entry, AppStream metadata and icons under PREFIX.
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX) --strip

# A .deb of the same installation, its dependencies found from the libraries
# the programs link (dpkg-shlibdeps).
package: build
	$(call install_missing,dpkg-dev)
	cd $(BUILD_DIR) && cpack -G DEB

test: test-deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure --timeout 300
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DZORVANE_BUILD_TESTS=ON -DZORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --timeout 600
	$(MAKE) --no-print-directory test-windows
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(TEST_FUZZ_SECONDS)
	$(call install_missing,$(SOAK_PACKAGES))
	python3 tests/soak/x11_soak.py $(TEST_DIR)/zorvane --seconds $(TEST_SOAK_SECONDS) --seed $(TEST_SOAK_SEED)
	python3 tests/soak/x11_soak.py $(TEST_DIR)/zorvane --seconds $(TEST_SOAK_SECONDS)

# The Windows build, cross-compiled with mingw-w64 and linked statically:
# zorvane.exe, zorvane-calc.exe and the test programs in $(WINDOWS_DIR)/, and
# what a Windows user downloads beside them: the stripped programs in dist/,
# the portable zip and the installer (packaging/windows/).
windows:
	$(call install_missing,$(WINDOWS_PACKAGES))
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_TESTS=ON
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# Its tests under wine, in a wine prefix of their own made for the run and
# removed after it, without a display (tests/windows/run_wine_tests.sh); the
# installer's test makes a prefix and an X server of its own. Then zorvane.exe
# itself in a private Xvfb under a window manager, driven as a user drives it
# (tests/windows/wine_window_test.cpp, built with the Linux tests, whose X
# test support it shares).
test-windows: windows test-deps
	$(call install_missing,$(WINDOWS_TEST_PACKAGES))
	tests/windows/run_wine_tests.sh $(WINDOWS_DIR)
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS) --target wine_window_tests
	$(TEST_DIR)/tests/wine_window_tests $(CURDIR)/$(WINDOWS_DIR)/zorvane.exe

# Formats sparse images of Zorvane's sizes with the real formatters and
# writes the measured capacities into the README's table.
.PHONY: filesystems
filesystems: test-deps
	cmake -S . -B $(BUILD_DIR) $(PROGRAM_OPTIONS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target zorvane-calc
	python3 tests/filesystems/filesystems.py table --calc $(BUILD_DIR)/zorvane-calc --write README.md

# Zorvane beside a bare Qt window and one with an empty 10 ms timer, under a
# private Xvfb, and zorvane-calc beside awk on a million sizes; then, in the
# same run, the Windows build's zorvane.exe under wine beside two Win32
# reference windows built with it, and its size and DLLs. Prints the tables
# and each goal met or not, and writes them into docs/performance.md.
bench: deps
	$(call install_missing,$(BENCH_PACKAGES))
	$(MAKE) --no-print-directory windows
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target zorvane zorvane-calc bench_bare_window bench_timer_window bench_startup_probe zorvane_bench
	python3 bench/run_bench.py --build $(BENCH_DIR) --windows-build $(WINDOWS_DIR)

# Every fuzz target for FUZZ_SECONDS seconds, starting from the committed
# seeds; any finding fails. A target is judged by its exit status; each one's
# whole output stays in $(FUZZ_DIR)/logs (tests/fuzz/run_fuzz.sh).
fuzz-build: test-deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVANE_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))

fuzz: fuzz-build
	tests/fuzz/run_fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The real program in Xvfb under openbox for SOAK_SECONDS seconds of random
# clicks, keys, pastes, copy-menu choices, drags and minimise/restore; fails
# when memory or the program's X resources grow once every kind of step has
# run, or the fields disagree with the formulas (tests/soak/x11_soak.py).
soak: build
	$(call install_missing,$(SOAK_PACKAGES))
	python3 tests/soak/x11_soak.py $(BUILD_DIR)/zorvane --seconds $(SOAK_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(TEST_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(BENCH_DIR) $(WINDOWS_DIR)
