# ZOV developer commands. Each target installs what is missing first.
DEBUG_DIR   := build/debug
RELEASE_DIR := build/release
BENCH_DIR   := build/bench
JOBS        ?= $(shell nproc)

.PHONY: deps test build bench run format clean fuzz

deps:
	@scripts/install-deps

# Debug build with AddressSanitizer and UBSan; every test runs headless.
test: deps
	cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOV_SANITIZE=ON
	cmake --build $(DEBUG_DIR) -j $(JOBS)
	cd $(DEBUG_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

build: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOV_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOV_TESTS=OFF -DZOV_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/*_bench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

# The editor, from the Release build; FILE=path.zov opens a graph.
run: build
	$(RELEASE_DIR)/src/app/zov $(FILE)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build

# libFuzzer targets, built with clang in build/fuzz.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOV_TESTS=OFF -DZOV_FUZZ=ON
	cmake --build build/fuzz -j $(JOBS)
