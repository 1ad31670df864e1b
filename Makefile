# Two entry points for a fresh machine: `make run` and `make test`.
BUILD      := build
ASAN_BUILD := build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build run test test-release test-asan clean

all: build

build:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The build's chatter goes to stderr so that stdout belongs to the engine alone.
run:
	@$(MAKE) --no-print-directory build >&2
	@exec ./$(BUILD)/nerul

test: test-release test-asan

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Unit tests once more under AddressSanitizer and UBSan.
test-asan:
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNERUL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L sanitize

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)

# Both fuzzers for SECONDS seconds each: the libFuzzer target (clang, build-fuzz) and
# the session fuzzer on the sanitizer build. FUZZ_SKIP=known leaves out the inputs of
# faults already known.
SECONDS   ?= 60
FUZZ_SKIP ?=
FUZZ_CXX  ?= clang++-14
.PHONY: fuzz
fuzz:
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DNERUL_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target nerul-fuzz
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNERUL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target nerul
	@cd tools/fuzz && { [ -d node_modules/chess.js ] || npm ci --no-audit --no-fund; }
	@tools/fuzz/run_fuzz.sh $(SECONDS) "$(FUZZ_SKIP)"
