# The two README commands, as thin wrappers over CMake.
BUILD      ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
GENERATOR  ?= Ninja

.PHONY: deps run build test bench clean

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTALLIMO_TESTS=OFF
	cmake --build $(BUILD)

run: build
	./$(BUILD)/tallimo

test: deps
	cmake -S . -B $(TEST_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTALLIMO_SANITIZE=ON
	cmake --build $(TEST_BUILD)
	cd $(TEST_BUILD) && ctest --output-on-failure --timeout 600

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DTALLIMO_TESTS=OFF -DTALLIMO_BENCH=ON
	cmake --build $(BENCH_BUILD)
	for b in $(BENCH_BUILD)/bench/bench_*; do $$b; done

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD)
