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
