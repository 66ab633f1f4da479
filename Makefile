# wordHaven: build, run and test on Linux (cross-built for Windows, run under Wine).
#   make run    build, then start wordHaven.exe in build/run/
#   make test   build, then run every test (native and under Wine)
#   make bench  benchmarks
# Both install what they need from Debian's packages first (tools/setup.sh).

WINDOWS_BUILD := build/windows
NATIVE_BUILD := build/native
export WORDHAVEN_BUILD_DIR := $(CURDIR)/$(WINDOWS_BUILD)
MAKEFLAGS += --no-print-directory

.PHONY: all setup windows native run test bench icons clean

all: windows

setup:
	@tools/setup.sh

windows: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows -j2

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j2

run: windows
	@tools/run.sh

test: native windows
	@tools/wine-env.sh ensure
	@status=0; ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j2 || status=$$?; \
	 tools/wine-env.sh stop; exit $$status

bench: windows
	@echo "nothing to measure yet"

# Redraws the icon and the cursor from their generator.
icons:
	@mkdir -p build/tools
	@g++ -std=c++20 -O2 -o build/tools/icon_maker tools/icon_maker/icon_maker.cpp
	@build/tools/icon_maker src/ui/icons

clean:
	@rm -rf build
