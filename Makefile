# Quillon: `make run` starts the program, `make test` builds and runs every test.
# Both install missing Debian packages first (scripts/install-deps).

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build build-asan test run bench format clean install

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build build -j $(JOBS)

build-asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQLN_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-asan -j $(JOBS)

# Every test case is a CTest test of its own.  Tests on a real X server (label x11) may meet a server or window
# manager slowed down by load: a failed one gets up to two more runs.  The deterministic tests never get another.
CTEST = ctest --output-on-failure -j $(JOBS)
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1

test: build build-asan
	@echo "== tests =="
	@$(CTEST) --test-dir build -LE x11
	@$(CTEST) --test-dir build -L x11 --repeat until-pass:3
	@echo "== tests under AddressSanitizer and UBSan =="
	@$(SANITIZER_ENV) $(CTEST) --test-dir build-asan -LE x11
	@$(SANITIZER_ENV) $(CTEST) --test-dir build-asan -L x11 --repeat until-pass:3

run: build
	@./build/quillon

bench: build
	@./build/playback_bench
	@./build/macro_file_bench
	@./build/x11_typing_bench
	@./build/startup_bench
	@./build/hook_latency_bench
	@./build/trigger_latency_bench

# `make install PREFIX=/some/where` (default /usr/local): the programs, the manual, the menu entry and the icon.
PREFIX ?= /usr/local

install: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX="$(PREFIX)" \
		$(CMAKE_FLAGS) >/dev/null
	@cmake --build build -j $(JOBS) --target quillon qlntool
	@cmake --install build

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf build build-asan
