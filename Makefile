# The commands of the README. Each sets up a fresh Debian 12 machine first.
#   make run      install missing packages, configure, build and start the editor on the example
#   make test     install missing packages, configure, build and run the whole test suite
#   make install  likewise build everything, then install it under PREFIX (default /usr/local),
#                 below DESTDIR when that is set
#   make package  likewise build everything, then pack the Debian package
#                 build/<preset>/quillet_<version>_<arch>.deb
PRESET ?= release
BUILD_DIR := build/$(PRESET)
EDITOR := $(BUILD_DIR)/editor/quillet
EXAMPLE := examples/hero.an1
PREFIX ?= /usr/local

.PHONY: test run install package deps configure build clean

# The editor is a window: without a display there is nothing to start, so say so before
# installing or building anything.
ifneq ($(filter run,$(MAKECMDGOALS)),)
ifeq ($(strip $(DISPLAY)$(WAYLAND_DISPLAY)),)
$(error the editor needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set); headless, 'xvfb-run make run' works)
endif
endif

test: build
	ctest --preset $(PRESET)

# Started from the repository root, where the editor writes LastSave.an1 when it closes.
run: configure
	cmake --build --preset $(PRESET) --target quillet
	./$(EDITOR) $(EXAMPLE)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: build
	cmake --build --preset $(PRESET) --target package

build: configure
	cmake --build --preset $(PRESET)

configure: deps
	cmake --preset $(PRESET)

deps:
	./scripts/install-deps.sh

clean:
	rm -rf build
