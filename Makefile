# The README's commands, as thin wrappers over CMake.
BUILD      ?= build
TEST_BUILD ?= build-test
CHECK_BUILD ?= build-check
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
GENERATOR  ?= Ninja
# Seconds per fuzzer for `make fuzz`, and for the short run inside `make test`.
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 5
# Fuzzers run side by side; one per core at most.
FUZZ_JOBS ?= 1
# The Windows build and the cache of Qt built for Windows (made once).
WINDOWS_BUILD ?= build-windows
QT_WINDOWS ?= $(HOME)/.cache/tallimo/qt-6.4.2-mingw64
# Every test program under Wine ends within this many seconds.
WINE_TIMEOUT ?= 600

.PHONY: deps run build test check bench fuzz fuzz-build fuzz-smoke format format-check clean \
        windows test-windows package

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTALLIMO_TESTS=OFF
	cmake --build $(BUILD)

run: build
	./$(BUILD)/tallimo

test: deps format-check
	cmake -S . -B $(TEST_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTALLIMO_SANITIZE=ON
	cmake --build $(TEST_BUILD)
	$(MAKE) --no-print-directory fuzz-smoke
	cd $(TEST_BUILD) && ctest --output-on-failure --timeout 600

# The core tests alone, in seconds while working: no install step, no sanitizers.
# Two at a time: the crash loop's 25 s sets the floor.
check:
	cmake -S . -B $(CHECK_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTALLIMO_TESTS=ON \
	  -DTALLIMO_BENCH=OFF -DTALLIMO_FUZZ=OFF -DTALLIMO_SANITIZE=OFF
	cmake --build $(CHECK_BUILD) --target core_tests
	cd $(CHECK_BUILD) && ctest -L core --parallel 2 --output-on-failure --timeout 600

# Runs only the programs: bench/ also holds CMake's bench_*_autogen folders.
bench: deps
	cmake -S . -B $(BENCH_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTALLIMO_TESTS=OFF -DTALLIMO_BENCH=ON
	cmake --build $(BENCH_BUILD)
	for b in $$(find $(BENCH_BUILD)/bench -maxdepth 1 -type f -executable -name 'bench_*'); do $$b || exit 1; done

# The fuzzers need clang, so they get a build folder of their own.
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -G $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_FUZZ=ON -DTALLIMO_TESTS=OFF
	cmake --build $(FUZZ_BUILD) --target tallimo_fuzzers

fuzz: fuzz-build
	fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS)

fuzz-smoke: fuzz-build
	fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SMOKE_SECONDS) $(FUZZ_JOBS)

# make test fails on a file that .clang-format would change; make format mends them.
format-check: deps
	bash scripts/check-format

format: deps
	bash scripts/check-format --fix

# A static tallimo.exe cross-built with MinGW-w64; the first run builds Qt for it.
windows:
	bash scripts/install-deps --windows
	bash scripts/build-qt-windows $(QT_WINDOWS)
	cmake -S . -B $(WINDOWS_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_FIND_ROOT_PATH=$(QT_WINDOWS) \
	  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/scripts/wine-run
	cmake --build $(WINDOWS_BUILD) --target tallimo

# The core and storage tests and the working day, under Wine (not part of `make test`).
test-windows: windows
	cmake --build $(WINDOWS_BUILD)
	WINE_TIMEOUT=$(WINE_TIMEOUT) bash scripts/test-windows $(WINDOWS_BUILD)

# tallimo_<version>_amd64.deb, tallimo-<version>-windows-x64.zip, the Windows setup
# program tallimo-<version>-windows-x64-instalador.exe, and the source they are built
# from, tallimo-<version>-fuente.tar.gz (the zip and the setup carry it too), in packages/.
VERSION := $(shell sed -n 's/^project.tallimo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package: build windows
	cd $(BUILD) && cpack
	cmake --build $(WINDOWS_BUILD) --target setup
	cd $(WINDOWS_BUILD) && cpack
	mkdir -p packages
	cp $(BUILD)/tallimo_*_amd64.deb $(WINDOWS_BUILD)/tallimo-*-windows-x64.zip \
	  $(WINDOWS_BUILD)/tallimo-*-windows-x64-instalador.exe packages/
	cmake -DTALLIMO_SOURCE_DIR=$(CURDIR) -DTALLIMO_VERSION=$(VERSION) \
	  -DTALLIMO_TARBALL=$(CURDIR)/packages/tallimo-$(VERSION)-fuente.tar.gz -P cmake/SourceTarball.cmake

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(CHECK_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD)
