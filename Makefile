# Zorvane: `make run` builds and opens the window, `make test` runs every test
# (plain and under the sanitizers). Both first install the Debian packages
# they need when any is missing.

BUILD_DIR   ?= build
SANITIZE_DIR ?= build-sanitize
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= $(shell nproc)

# What building and running needs.
PACKAGES := cmake make g++ pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev \
  fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming qt6-translations-l10n
# What the tests need on top: GoogleTest, a real X server to drive the
# program in, and the tools that type, click and read the clipboard there.
TEST_PACKAGES := libgtest-dev xvfb xauth x11-utils xdotool xclip

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all build run test deps test-deps clean

all: build

define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  $$sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -q $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

test-deps: deps
	$(call install_missing,$(TEST_PACKAGES))

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/zorvane

test: test-deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZORVANE_BUILD_TESTS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DZORVANE_BUILD_TESTS=ON -DZORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --timeout 600

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
