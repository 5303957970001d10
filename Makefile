# make run  : install what is missing, build, start Ondalis
# make test : install what is missing, build, run every test through ctest
# make package  : the Debian package ondalis_<version>_<arch>.deb in the build folder
# make sanitize : the whole test suite built and run with the address and undefined-behaviour
#                 sanitizers, in its own build folder (build-asan)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench package sanitize clean format

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/app/ondalis

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB

sanitize: deps
	@./scripts/sanitize.sh

bench: build
	./bench/run-all.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
