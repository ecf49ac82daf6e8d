# The two commands of the README. Both set up a fresh Debian 12 machine first.
#   make run    install missing packages, configure, build and start the editor on the example
#   make test   install missing packages, configure, build and run the whole test suite
PRESET ?= release
BUILD_DIR := build/$(PRESET)
EDITOR := $(BUILD_DIR)/editor/quillet
EXAMPLE := examples/hero.an1

.PHONY: test run deps configure build clean

# The editor is a window: without a display there is nothing to start, so say so before
# installing or building anything.
ifneq ($(filter run,$(MAKECMDGOALS)),)
ifeq ($(strip $(DISPLAY)$(WAYLAND_DISPLAY)),)
$(error the editor needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set); headless, 'xvfb-run make run' works)
endif
endif

test: build
	ctest --preset $(PRESET)

# Started from the repository root, where the editor writes LastSave.an1 and log.txt.
run: configure
	cmake --build --preset $(PRESET) --target quillet
	./$(EDITOR) $(EXAMPLE)

build: configure
	cmake --build --preset $(PRESET)

configure: deps
	cmake --preset $(PRESET)

deps:
	./scripts/install-deps.sh

clean:
	rm -rf build
