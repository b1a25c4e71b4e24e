# Tessarin: `make run` to play, `make test` to run the whole test suite.
# Both install what is missing (Debian packages), configure and build first.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/tessarin

test: build
	cd $(BUILD) && ctest --output-on-failure --timeout 600

bench: build
	cmake --build $(BUILD) --target bench

clean:
	rm -rf $(BUILD)
