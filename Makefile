# wordHaven: build, run and test on Linux (cross-built for Windows, run under Wine).
#   make run    build, then start wordHaven.exe in build/run/
#   make test   build, then run every test (native and under Wine)
#   make bench  benchmarks
#   make bench-native  benchmarks of the portable code, natively (the dictionary on the full EDICT)
#   make screenshots  pictures of the windows in docs/
#   make dist   the release zip in dist/
#   make fuzz   run each fuzz target for FUZZ_SECONDS (default 60) on a scratch corpus
# Both install what they need from Debian's packages first (tools/setup.sh).

WINDOWS_BUILD := build/windows
NATIVE_BUILD := build/native
export WORDHAVEN_BUILD_DIR := $(CURDIR)/$(WINDOWS_BUILD)
MAKEFLAGS += --no-print-directory

.PHONY: all setup windows native run test bench bench-native fuzz icons screenshots dist clean

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
	@# A test that fails is run once more, so that a hiccup of Wine's own (its desktop
	@# or a process start, seen about once in a few full runs) does not stop a
	@# build; the first failure is still printed in full. A real fault fails twice.
	@status=0; ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j2 --repeat until-pass:2 || status=$$?; \
	 tools/wine-env.sh stop; exit $$status

bench: windows bench-native
	@tools/wine-env.sh ensure
	@mkdir -p build/bench && cd build/bench && ../windows/wine-run ../windows/wordhaven_bench.exe && \
	 ../windows/wine-run ../windows/wordhaven_capture_bench.exe && \
	 ../windows/wine-run ../windows/wordhaven_find_bench.exe && \
	 ../windows/wine-run ../windows/wordhaven_hotkey_bench.exe; \
	 status=$$?; cd ../.. && tools/wine-env.sh stop; exit $$status

bench-native: setup
	@cmake --preset bench-native >/dev/null
	@cmake --build --preset bench-native -j2 --target wordhaven_dictionary_bench
	@build/bench-native/wordhaven_dictionary_bench

# Each target NAME_fuzz starts from the seeds in fuzz/corpus/NAME, copied under
# build/ so that what the fuzzer adds never lands in the committed corpus.
FUZZ_TARGETS := csv_format_fuzz settings_image_fuzz search_sites_fuzz export_format_fuzz folded_group_fuzz dictionary_file_fuzz
FUZZ_SECONDS ?= 60

fuzz: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j2 --target $(FUZZ_TARGETS)
	@for target in $(FUZZ_TARGETS); do \
	   name=$${target%_fuzz}; \
	   corpus=$(NATIVE_BUILD)/fuzz/corpus/$$name; \
	   artifacts=$(NATIVE_BUILD)/fuzz/artifacts/$$name; \
	   mkdir -p $$corpus $$artifacts && cp fuzz/corpus/$$name/* $$corpus/ || exit 1; \
	   echo "fuzz: $$target for $(FUZZ_SECONDS) s"; \
	   $(NATIVE_BUILD)/$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	     -artifact_prefix=$$artifacts/ $$corpus || exit 1; \
	 done

# The program's windows on a sample glossary, as PNG files in docs/.
screenshots: windows
	@tools/screenshots.sh; status=$$?; tools/wine-env.sh stop; exit $$status

# The release for Windows users: dist/wordHaven-<version>-win64.zip.
dist: windows
	@tools/dist.sh

# Redraws the icon and the cursor from their generator.
icons:
	@mkdir -p build/tools
	@g++ -std=c++20 -O2 -o build/tools/icon_maker tools/icon_maker/icon_maker.cpp
	@build/tools/icon_maker src/ui/icons

clean:
	@rm -rf build
