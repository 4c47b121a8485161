# make run   - installs what is missing, builds and starts Pemmaro on the sample disc
# make test  - installs what is missing, builds and runs every test
# make test-sanitize - the unit and window tests under AddressSanitizer and
#              UndefinedBehaviorSanitizer, in build-asan
# make bench - builds and runs the benchmarks
# make package - builds the Debian package (build/pemmaro_*.deb)
# make fuzz  - builds the fuzz programs with clang and runs each FUZZ_SECONDS (default 60)

BUILD_DIR := build
PROGRAM := $(BUILD_DIR)/bin/pemmaro
SAMPLE_DISC := $(CURDIR)/sample-disc
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test test-sanitize bench package fuzz format clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake --preset default

build: configure
	cmake --build --preset default -j $(JOBS)

run: build
	./scripts/run-sample.sh $(PROGRAM) $(SAMPLE_DISC)

test: build
	ctest --preset default -j $(JOBS)

# The sanitizers' options and suppressions come with the preset.
test-sanitize: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: configure
	cmake --build --preset default -j $(JOBS) --target pemmaro_bench pemmaro pemmaro_bare_window
	$(BUILD_DIR)/bin/pemmaro_bench
	bench/startup_time.py $(PROGRAM) $(BUILD_DIR)/bin/pemmaro_bare_window $(BUILD_DIR)/bench-data/large-disc

package: build
	cd $(BUILD_DIR) && cpack -G DEB

fuzz:
	./scripts/fuzz.sh $(or $(FUZZ_SECONDS),60)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-asan build-fuzz
