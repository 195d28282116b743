# Zorvane: the two commands of the README (make run, make test) and a few helpers.
BUILD      ?= build
PREFIX     ?= $(CURDIR)/$(BUILD)/Zorvane
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
XVFB       := xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp"
GUI_ENV    := NO_AT_BRIDGE=1 GDK_BACKEND=x11 WAYLAND_DISPLAY=

.PHONY: all deps configure build install install-network install-desktop run test screenshots \
        crash-campaign bench fuzz format clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A network installation in PREFIX: the workstation template ZORVANE.USR instead of ZORVANE.INI.
install-network: build
	cmake --install $(BUILD) --prefix $(PREFIX) --component network
	cmake --install $(BUILD) --prefix $(PREFIX)

# The installed program in the user's application menu (entry and icon under ~/.local/share).
install-desktop: install
	bash scripts/install-desktop.sh $(PREFIX)

run: install
	@bash scripts/run.sh $(PREFIX)

test: build
	cd $(BUILD) && $(GUI_ENV) $(XVFB) ctest --output-on-failure -j $(JOBS) --timeout 600

# The user guide's screenshots in docs/ (and the help book's), taken again by the window tests.
screenshots: build
	bash scripts/screenshots.sh $(BUILD)

# The store's crash campaign at full length: 2,000 kills of a process changing the table.
crash-campaign: configure
	cmake --build $(BUILD) -j $(JOBS) --target store_tests
	ZRV_CRASH_KILLS=$${CRASH_KILLS:-2000} $(BUILD)/tests/store_tests --gtest_filter='CrashCampaign.*'

bench: build
	bash scripts/bench.sh $(BUILD)

fuzz: deps
	bash scripts/fuzz.sh $${FUZZ_SECONDS:-20}

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) fuzz-build
