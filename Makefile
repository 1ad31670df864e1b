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

# The fastest engine for the machine at hand, in build-fast/: built for its
# processor, with link-time optimisation, and trained on the bench
# (profile-guided optimisation): a first build records where the bench spends
# its time, the second is compiled with that profile.
FAST := build-fast
.PHONY: fast
fast:
	@rm -rf $(FAST)/profile
	@cmake -S . -B $(FAST) -DCMAKE_BUILD_TYPE=Release -DNERUL_MARCH=native -DNERUL_LTO=ON \
	  -DCMAKE_CXX_FLAGS="-fprofile-generate=$(CURDIR)/$(FAST)/profile -fprofile-update=single" >/dev/null
	@cmake --build $(FAST) -j $(JOBS) --target nerul nerul-tool
	./$(FAST)/nerul-tool bench 9 >/dev/null
	@cmake -S . -B $(FAST) \
	  -DCMAKE_CXX_FLAGS="-fprofile-use=$(CURDIR)/$(FAST)/profile -fprofile-correction -Wno-missing-profile" >/dev/null
	@cmake --build $(FAST) -j $(JOBS) --clean-first --target nerul nerul-tool
