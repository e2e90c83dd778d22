# The two README commands, as thin wrappers over CMake.
BUILD      ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
GENERATOR  ?= Ninja
# Seconds per fuzzer for `make fuzz`, and for the short run inside `make test`.
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 5
# Fuzzers run side by side; one per core at most.
FUZZ_JOBS ?= 1

.PHONY: deps run build test bench fuzz fuzz-build fuzz-smoke format format-check clean

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

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
