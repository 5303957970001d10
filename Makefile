# make run      : install what is missing, build, start Ondalis
# make test     : install what is missing, build, run every test through ctest
# make package  : the Debian package ondalis_<version>_<arch>.deb in the build folder
# make dev      : Debug build with warnings as errors, and its tests (build-dev)
# make sanitize : the whole test suite built and run with the address and undefined-behaviour
#                 sanitizers, in its own build folder (build-asan)
# make coverage : the whole test suite with gcc's coverage instrumentation, and the report of
#                 what it runs (build-coverage/coverage/index.html)
# make fuzz     : every libFuzzer target for FUZZ_SECONDS seconds each (build-fuzz)
# make check-format : fails with the list of .cpp/.h files clang-format would change
# make ci       : what CI runs (.ci/run)
# Each build folder is that of a preset of CMakePresets.json (make test: default, in build).
BUILD := build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench package dev sanitize coverage fuzz \
	check-format format ci clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake --preset default > /dev/null

build: configure
	@cmake --build --preset default -j $(JOBS)

run: build
	./$(BUILD)/src/app/ondalis

test: build
	@ctest --preset default -j $(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB

dev: deps
	@cmake --preset dev > /dev/null
	@cmake --build --preset dev -j $(JOBS)
	@ctest --preset dev -j $(JOBS)

sanitize: deps
	@JOBS=$(JOBS) ./scripts/sanitize.sh

coverage: deps
	@JOBS=$(JOBS) ./scripts/coverage.sh

fuzz: deps
	@JOBS=$(JOBS) ./scripts/fuzz-all.sh $(FUZZ_SECONDS)

bench: build
	./bench/run-all.sh $(BUILD)

check-format:
	@./scripts/check-format.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

ci:
	@bash .ci/run

clean:
	rm -rf $(BUILD)
