# Set-up on a fresh machine: `make run` starts the engine, `make test` runs every test.
#   make              the engine and nerul-tool (Release), in build/
#   make EXE=path     the same, and the engine copied to `path` (for engine-testing frameworks)
#   make install      nerul, nerul-tool and the man page under $(DESTDIR)$(PREFIX)
BUILD      := build
ASAN_BUILD := build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX     ?= /usr/local
DESTDIR    ?=
EXE        ?=

.PHONY: all build configure run test test-release test-asan test-tsan install uninstall clean format format-check

all: build

configure:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) --target nerul nerul-tool
ifneq ($(EXE),)
	@mkdir -p "$(dir $(EXE))" && cp $(BUILD)/nerul "$(EXE)"
endif

# Builds only the engine. The build's chatter goes to stderr so that stdout belongs to the engine alone.
# The engine ends with status 1 after `quit`, its usual way out: make keeps quiet about that one.
run:
	@$(MAKE) --no-print-directory configure >&2
	@cmake --build $(BUILD) -j $(JOBS) --target nerul >&2
	@./$(BUILD)/nerul; status=$$?; [ $$status -eq 1 ] || exit $$status

test: test-release test-asan test-tsan

test-release: configure
	@cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Unit and process tests once more under AddressSanitizer and UBSan. Where the
# processor allows it this build targets x86-64-v3, so the slider tables' PEXT
# indexing is tested as well as the multiplication the Release build uses.
ASAN_MARCH := $(shell grep -m1 '^flags' /proc/cpuinfo 2>/dev/null | grep -w bmi2 | grep -w avx2 | grep -w fma | grep -qw movbe && echo x86-64-v3)
test-asan:
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNERUL_SANITIZE=ON $(if $(ASAN_MARCH),-DNERUL_MARCH=$(ASAN_MARCH)) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L sanitize

# The helper threads under ThreadSanitizer: the process tests that run several
# threads, with any report ending the engine with a status the tests see.
TSAN_BUILD := build-tsan
test-tsan:
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNERUL_TSAN=ON >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target nerul test_process
	TSAN_OPTIONS="halt_on_error=1 exitcode=66" $(TSAN_BUILD)/tests/test_process --gtest_filter='Threads.*:Ponder.*'

install: build
	install -d "$(DESTDIR)$(PREFIX)/bin" "$(DESTDIR)$(PREFIX)/share/man/man6"
	install -m 755 $(BUILD)/nerul $(BUILD)/nerul-tool "$(DESTDIR)$(PREFIX)/bin/"
	install -m 644 doc/nerul.6 "$(DESTDIR)$(PREFIX)/share/man/man6/nerul.6"

uninstall:
	rm -f "$(DESTDIR)$(PREFIX)/bin/nerul" "$(DESTDIR)$(PREFIX)/bin/nerul-tool" \
	      "$(DESTDIR)$(PREFIX)/share/man/man6/nerul.6"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD)

# Both fuzzers for SECONDS seconds each: the libFuzzer target (clang, build-fuzz) and
# the session fuzzer on the sanitizer build. FUZZ_SKIP=class,... leaves classes of
# hostile input out of the session fuzzer (see tests/fuzz/session_fuzz.js --help).
SECONDS   ?= 60
FUZZ_SKIP ?=
FUZZ_CXX  ?= clang++-14
.PHONY: fuzz
fuzz:
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DNERUL_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target nerul-fuzz
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DNERUL_SANITIZE=ON $(if $(ASAN_MARCH),-DNERUL_MARCH=$(ASAN_MARCH)) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target nerul
	@cd tests/fuzz && { [ -d node_modules/chess.js ] || npm ci --no-audit --no-fund; }
	@tests/fuzz/run_fuzz.sh $(SECONDS) "$(FUZZ_SKIP)"

# The fastest engine for the machine at hand, in build-fast/: built for its
# processor, with link-time optimisation. Training on the bench (profile-guided
# optimisation) no longer pays on top of that: it measured 1 % slower.
FAST := build-fast
.PHONY: fast
fast:
	@cmake -S . -B $(FAST) -DCMAKE_BUILD_TYPE=Release -DNERUL_MARCH=native -DNERUL_LTO=ON -DCMAKE_CXX_FLAGS= >/dev/null
	@cmake --build $(FAST) -j $(JOBS) --target nerul nerul-tool

# One format for every C++ file, Debian's clang-format-14 with the style in .clang-format.
CLANG_FORMAT ?= clang-format-14
FORMAT_FILES  = $(shell git ls-files '*.cpp' '*.h')
format:
	@$(CLANG_FORMAT) -i $(FORMAT_FILES)

format-check:
	@$(CLANG_FORMAT) --dry-run --Werror $(FORMAT_FILES)
