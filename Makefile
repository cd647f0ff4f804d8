# A thin front over the CMake presets: CMake owns the build.
#   make            build the game, and the tests and benchmarks whose
#                   libraries are installed (build/default/match3)
#   make play       build the game alone and play; needs only CMake, Ninja
#                   and a C++20 compiler
#   make test       build it and run every test (needs GoogleTest)
#   make test PRESET=asan   the same under AddressSanitizer and UBSan
#   make fuzz       run the fuzzer for FUZZ_SECONDS (120 by default); the
#                   same as make test PRESET=fuzz
#   make soak       a million-turn game through a pipe, with its memory
#   make package    a Debian package in build/package and an RPM in
#                   build/rpm
#   make package PRESET=windows   a zip for Windows in build/windows
#   make bench      the benchmarks and the end-to-end figures
#   make web        the game in a web page, in build/web/site (needs
#                   emscripten and npm)
#   make test PRESET=web    the page in a real browser (needs chromium);
#                   CTEST_FLAGS=-j2 runs two tests at once
#   make serve      the page at http://127.0.0.1:8000/ (PORT=8123 for another;
#                   HOST=0.0.0.0 serves it to the local network)
#   make bench-web  the page's size and speed in headless chromium
#   make lint       clang-format and clang-tidy over src/ and tests/, ESLint
#                   over the page's JavaScript, and the documents' names
PRESET ?= default
FUZZ_SECONDS ?= 120
BUILD_DIR := build/$(PRESET)

# `make test` asks for the tests outright, so that a missing GoogleTest
# stops the configure at once with the package to install. The fuzz,
# package and web presets build no unit tests.
ifeq ($(filter fuzz package web,$(PRESET)),)
TEST_OPTIONS := -DMATCH3_BUILD_TESTS=ON
endif
ifeq ($(PRESET),fuzz)
TEST_OPTIONS := -DMATCH3_FUZZ_SECONDS=$(FUZZ_SECONDS)
endif

.PHONY: all build play test fuzz soak package bench web serve bench-web posix-game lint clean

all: build

# Configuring again every time is quick, and picks up changes to the presets.
# Its progress is not shown; what the build cannot do (GoogleTest or
# valgrind missing, say) comes on the terminal all the same, as CMake's
# notices and errors do.
build:
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

play:
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) --target match3
	@./$(BUILD_DIR)/match3

# Under wine the tests share one wine server, up for the whole run, and
# an address space laid out the same way every time (see tools/under-wine).
ifeq ($(PRESET),windows)
CTEST := tools/under-wine ctest
else
CTEST := ctest
endif

# The page's test compares it with the POSIX build, which it needs built.
ifeq ($(PRESET),web)
TEST_NEEDS := web posix-game
endif

posix-game:
	cmake --preset default >/dev/null
	cmake --build --preset default --target match3

test: $(TEST_NEEDS)
	cmake --preset $(PRESET) $(TEST_OPTIONS) >/dev/null
	cmake --build --preset $(PRESET)
	$(CTEST) --preset $(PRESET) $(CTEST_FLAGS)

fuzz:
	$(MAKE) test PRESET=fuzz FUZZ_SECONDS=$(FUZZ_SECONDS)

soak: build
	bench/soak.sh $(BUILD_DIR)/match3

# The Debian package and the RPM, or the Windows zip.
PACKAGE_PRESETS := $(if $(filter windows,$(PRESET)),windows,package rpm)
package:
	$(foreach preset,$(PACKAGE_PRESETS),$(MAKE) build PRESET=$(preset) && \
	  cmake --build --preset $(preset) --target package &&) true

bench:
	cmake --preset $(PRESET) -DMATCH3_BUILD_BENCHMARKS=ON >/dev/null
	cmake --build --preset $(PRESET)
	$(BUILD_DIR)/bench/match3_bench
	bench/e2e.sh $(BUILD_DIR)
	bench/long_answer.sh $(BUILD_DIR)/match3

# The terminal's files come from npm, at the versions of the lock file.
web/node_modules/.package-lock.json: web/package-lock.json
	cd web && npm ci --no-audit --no-fund

web: web/node_modules/.package-lock.json
	$(MAKE) build PRESET=web

PORT ?= 8000
HOST ?= 127.0.0.1
serve: web
	node tools/serve-site.mjs build/web/site $(PORT) $(HOST)

bench-web: web
	node bench/web.mjs build/web/site

# The code as the repository's configurations want it: clang-format would
# change nothing, clang-tidy finds nothing (in the files the default build
# compiles, with its compile commands; GCC's LTO flag is none of clang's),
# ESLint's recommended rules hold, and the documents name what exists.
lint: web/node_modules/.package-lock.json
	cmake --preset default -DMATCH3_BUILD_TESTS=ON >/dev/null
	git ls-files 'src/*.cpp' 'src/*.hpp' 'tests/*.cpp' 'tests/*.hpp' | xargs clang-format --dry-run --Werror
	run-clang-tidy -quiet -p build/default -extra-arg=-Wno-ignored-optimization-argument '$(CURDIR)/(src|tests)/' \
	  >build/default/clang-tidy.log 2>&1 || { grep -v '^clang-tidy\|^[0-9]* warnings\? generated' build/default/clang-tidy.log; false; }
	web/node_modules/.bin/eslint -c web/eslint.config.js web tests/web tools/serve-site.mjs bench/web.mjs
	tools/check-docs

clean:
	rm -rf build
