# A thin front over the CMake presets: CMake owns the build.
#   make            build the game (build/default/match3)
#   make play       build it and play
#   make test       build it and run every test
#   make test PRESET=asan   the same under AddressSanitizer and UBSan
#   make fuzz       run the fuzzer for FUZZ_SECONDS (600 by default)
#   make soak       a million-turn game through a pipe, with its memory
#   make package    a Debian package in build/package
#   make bench      the benchmarks and the end-to-end figures
PRESET ?= default
FUZZ_SECONDS ?= 600
BUILD_DIR := build/$(PRESET)

.PHONY: all build play test fuzz soak package bench clean

all: build

# Configuring again every time is quick, and picks up changes to the presets.
build:
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

play: build
	@./$(BUILD_DIR)/match3

test: build
	ctest --preset $(PRESET)

fuzz:
	$(MAKE) build PRESET=fuzz
	build/fuzz/tests/fuzz/match3_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  build/fuzz/tests/fuzz/corpus tests/fuzz/corpus

soak: build
	bench/soak.sh $(BUILD_DIR)/match3

bench: build
	$(BUILD_DIR)/bench/match3_bench
	bench/e2e.sh $(BUILD_DIR)

package:
	$(MAKE) build PRESET=package
	cmake --build --preset package --target package

clean:
	rm -rf build
