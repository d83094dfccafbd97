# Thin wrapper: installs what is missing, then configures and builds with CMake + Ninja.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench lint format clean package

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-main

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package and the tarball, in $(BUILD): see README.
package: build
	cd $(BUILD) && cpack

bench: build
	@scripts/run-bench $(BUILD)

lint: deps configure
	@scripts/lint $(BUILD)

format: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
