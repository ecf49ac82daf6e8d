# The two commands of the README. Both set up a fresh Debian 12 machine first.
#   make test   install missing packages, configure, build and run the whole test suite
PRESET ?= release
BUILD_DIR := build/$(PRESET)

.PHONY: test deps configure build clean

test: build
	ctest --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET)

configure: deps
	cmake --preset $(PRESET)

deps:
	./scripts/install-deps.sh

clean:
	rm -rf build
