# Entry points for people and CI. Both builds live under build/.
.PHONY: all setup native windows test test-native test-windows format clean
.PHONY: sanitize test-sanitize fuzz-build fuzz fuzz-seeds

WINE_RUN := build/windows/wine-run
CTEST_FLAGS := --output-on-failure -j2

all: native windows

setup:
	@bash scripts/setup.sh

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

windows: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

test: test-native test-windows test-sanitize fuzz

test-native: native
	@echo "== native tests"
	@ctest --test-dir build/native $(CTEST_FLAGS)

# The Wine prefix is made before the run so that no test pays for it.
test-windows: windows
	@echo "== Windows tests under Wine"
	@$(WINE_RUN) --init
	@status=0; ctest --test-dir build/windows $(CTEST_FLAGS) || status=$$?; \
	  WINEPREFIX=$(CURDIR)/build/windows/wineprefix wineserver -k 2>/dev/null || true; \
	  exit $$status

sanitize: setup
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize

# The native tests again, with AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer; any report fails the test that caused it.
test-sanitize: sanitize
	@echo "== native tests with ASan, UBSan and LSan"
	@ctest --test-dir build/sanitize $(CTEST_FLAGS)

fuzz-build: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

# Runs each fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600); a
# finding fails the run and leaves its input in build/fuzz/findings.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := file engine
fuzz: fuzz-build
	@for target in $(FUZZ_TARGETS); do bash fuzz/run.sh $$target $(FUZZ_SECONDS) || exit 1; done

# Writes the seed corpora anew from fuzz/make_seeds.cpp.
fuzz-seeds: native
	@build/native/bin/zev_fuzz_seeds fuzz/corpus

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
