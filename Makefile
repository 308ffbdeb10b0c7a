# The front door: set-up, build, tests, benchmarks and the tool itself.
# Every target first installs what is missing (tools/setup.sh, idempotent).
SHELL := /bin/bash
.PHONY: all setup build build-native build-win32 test test-native test-win32 fuzz bench run format clean

all: build

setup:
	@tools/setup.sh all

build: build-native build-win32

build-native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

build-win32: setup
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

test: test-native test-win32 fuzz

test-native: build-native
	@ctest --preset native -j2

# The Wine server is started first and kept up between test programs: otherwise each program
# waits for the server's system processes to let go of ctest's output pipe.
test-win32: build-win32
	@tools/with-display bash -c 'tools/e2e-wine-warm && ctest --preset win32 -j2'

# A short run of each fuzz target: the fast engine against the reference, and segmentation.
fuzz: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@tools/run-fuzzers build/fuzz

bench: build-win32
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	@tools/run-bench build/bench

run: build-win32
	@tools/run-tool

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
