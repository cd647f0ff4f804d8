# A thin front over the CMake presets: CMake owns the build.
PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: all build play test clean

all: build

$(BUILD_DIR)/CMakeCache.txt:
	cmake --preset $(PRESET)

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build --preset $(PRESET)

play: build
	@./$(BUILD_DIR)/match3

test: build
	ctest --preset $(PRESET)

clean:
	rm -rf build
