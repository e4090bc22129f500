# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
CMAKE_GEN  := -G Ninja
# Options for the configure step of $(BUILD), e.g. CMAKE_ARGS=-DQUILLANE_WERROR=ON.
# Given, they are applied to an existing build folder too (and stay in its cache).
CMAKE_ARGS ?=

.PHONY: all setup configure build run test test-asan bench fuzz format format-check clean install \
	package

all: build

setup:
	@scripts/setup.sh

configure: setup
	@if [ ! -f $(BUILD)/build.ninja ] || [ -n "$(strip $(CMAKE_ARGS))" ]; then \
	  cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release $(CMAKE_ARGS); fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quillane $(ARGS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@scripts/fuzz.sh $(FUZZ_BUILD) 10

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DQUILLANE_SANITIZE=ON -DQUILLANE_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0 ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2 || exit 1; done

fuzz: setup
	@scripts/fuzz.sh $(FUZZ_BUILD) 60

# make install [PREFIX=/usr/local] [DESTDIR=/staging]
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package build/quillane_<version>_<arch>.deb, then its check.
package: build
	cd $(BUILD) && cpack -G DEB
	@scripts/check-package.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Fails, naming the places, when a tracked source is not as clang-format leaves it.
format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
