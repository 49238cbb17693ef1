# The README's commands. `make run` and `make test` install what is missing first.
SHELL := /bin/bash
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
# clang with its libFuzzer runtime, clang-tidy and cppcheck serve make fuzz and make lint (CI runs both).
LINT_PACKAGES := clang libclang-rt-14-dev clang-format clang-tidy cppcheck
PACKAGES := cmake g++ ninja-build libgtest-dev qt6-base-dev fonts-dejavu-core time $(LINT_PACKAGES)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run gui test test-asan bench fuzz lint package clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p $(BUILD)/run
	@cp data/examples/$$(ls data/examples | grep -m1 '\.apt$$') $(BUILD)/run/example.apt
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD)/bin/ordalis ]; then \
	  echo "Opening the desktop program with $(BUILD)/run/example.apt (converted at start-up)"; \
	  $(BUILD)/bin/ordalis $(BUILD)/run/example.apt; \
	else \
	  echo "No display (\$$DISPLAY and \$$WAYLAND_DISPLAY are empty): converting with the batch program instead"; \
	  $(BUILD)/bin/ordalis-post --ppc $(BUILD)/bin/Default.ppc -o $(BUILD)/run/example.nc $(BUILD)/run/example.apt && \
	  echo "Output: $(BUILD)/run/example.nc" && head -n 25 $(BUILD)/run/example.nc; \
	fi

gui: build
	$(BUILD)/bin/ordalis

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

# The core again under AddressSanitizer and UndefinedBehaviorSanitizer; any report fails the run.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DORDALIS_GUI=OFF -DORDALIS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -L core

bench: build
	bash bench/run.sh $(BUILD)

# FUZZ_SECONDS per target (default 60); any crash, leak, timeout or sanitizer report fails.
fuzz: deps
	FUZZ_SECONDS=$(or $(FUZZ_SECONDS),60) bash fuzz/run.sh

# A Debian package of both programs, the data files, a menu entry and the MIME types of .apt and .ppc.
package: build
	cd $(BUILD) && cpack -G DEB
	@deb=$$(ls -t $(BUILD)/ordalis_*.deb | head -n1); bash tools/check-package.sh "$$deb" && echo "Package: $$deb"

lint: deps
	bash tools/lint.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
