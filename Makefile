# Tessarin: `make run` to play, `make test` to run the whole test suite.
# Both install what is missing (Debian packages), configure and build first.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-sanitize test-debian13 package bench clean

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

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer in
# a build folder of its own; the first error ends the test program that made it.
SANITIZE_BUILD ?= build-sanitize
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARIN_SANITIZE=ON $(CMAKE_ARGS)
	cmake --build $(SANITIZE_BUILD)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure --timeout 900

# The whole suite again in a fresh Debian 13 system (Qt 6.8), made and entered as root.
test-debian13:
	sh tools/test-debian13.sh

# The Debian package tessarin_<version>_<arch>.deb, left in the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	cmake --build $(BUILD) --target bench

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
