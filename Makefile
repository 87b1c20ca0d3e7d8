# Quillon: `make run` starts the program, `make test` builds and runs every test.
# Both install missing Debian packages first (scripts/install-deps).

JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build build-asan test run bench format clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null
	@cmake --build build -j $(JOBS)

build-asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQLN_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-asan -j $(JOBS)

test: build build-asan
	@echo "== tests =="
	@ctest --test-dir build --output-on-failure -j $(JOBS)
	@echo "== tests under AddressSanitizer and UBSan =="
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir build-asan --output-on-failure -j $(JOBS)

run: build
	@./build/quillon

bench: build
	@./build/playback_bench
	@./build/macro_file_bench

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf build build-asan
