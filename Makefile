# Entry points for people and CI. Both builds live under build/.
.PHONY: all setup native windows test test-native test-windows format clean bench
.PHONY: run-converter screenshots screenshots-converter
.PHONY: sanitize test-sanitize fuzz-build fuzz test-fuzz fuzz-seeds test-cross

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

# The sample story in Osaka dialect, by the zev tool and the sample dictionary.
.PHONY: run
run: native
	@build/native/bin/zev convert -d build/native/samples/kansai.zev -l 3 -t 1,2,3,4 samples/story.txt

# Writes every sample dictionary's golden anew from its story (samples/golden/),
# for review after a dictionary changed.
.PHONY: goldens
goldens: native
	@bash samples/golden.sh write build/native/bin/zev build/native/samples

test: test-native test-windows test-cross test-dist test-sanitize test-fuzz test-web

# The zev tool (native) and the converter program (under Wine) agree to the byte.
test-cross: native windows
	@echo "== zev convert against Mardelko"
	@$(WINE_RUN) --init
	@status=0; scripts/compare-converters.sh || status=$$?; \
	  WINEPREFIX=$(CURDIR)/build/windows/wineprefix wineserver -k 2>/dev/null || true; \
	  exit $$status

# The release into dist/, then its checks: the zip and the installer in fresh Wine
# prefixes, the Debian package unpacked and linted.
.PHONY: dist test-dist screenshots-guides
dist: native windows web
	@bash packaging/dist.sh

test-dist: dist
	@echo "== release files"
	@bash tests/release/dist_test.sh

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

# Benchmarks: Google Benchmark natively (medians of 5 repetitions), the engine
# and zev convert against their peers on the large real text, then the
# self-timed conversion benchmark under Wine, then the editor's under Wine.
# They write scratch files into build/native.
bench: native windows
	@echo "== native benchmarks"
	@cd build/native && ./bin/zev_bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true
	@echo "== engine against Hyperscan on the large real text, and zev convert end to end"
	@bash bench/make_prose.sh build/native/bench/prose.txt
	@build/native/bin/zev_prose_bench build/native/bench/prose.txt build/native/samples/kansai.zev
	@bash bench/cli_bench.sh build/native build/native/bench/prose.txt
	@echo "== Windows conversion benchmark under Wine (and the large real text on every path)"
	@iconv -c -f UTF-8 -t CP932 build/native/bench/prose.txt > build/native/bench/prose.cp932 || true
	@$(WINE_RUN) --init
	@$(WINE_RUN) build/windows/bin/zev_convert_timed.exe \
	  'Z:$(subst /,\,$(CURDIR))\build\native\bench\prose.cp932' \
	  'Z:$(subst /,\,$(CURDIR))\build\native\samples\kansai.zev'; status=$$?; \
	  WINEPREFIX=$(CURDIR)/build/windows/wineprefix wineserver -k 2>/dev/null || true; \
	  exit $$status
	@$(MAKE) --no-print-directory bench-editor

# The converter under Wine, in a window on this display, for a person to use.
run-converter: windows
	@cd build/windows/bin && $(CURDIR)/scripts/wine-gui.sh $(CURDIR)/build/windows/wineprefix-gui Mardelko.exe

# The sample dictionary and story as the showcases read them: code page 932 with
# CR LF lines, reached from Wine through drive Z:.
SHOTS_WIN := Z:$(subst /,\,$(CURDIR))\build\screenshots
.PHONY: screenshot-samples
screenshot-samples: native
	@mkdir -p build/screenshots
	@cp build/native/samples/kansai.zev build/screenshots/
	@iconv -f UTF-8 -t CP932 samples/story.txt | sed 's/$$/\r/' > build/screenshots/story.txt

# Screenshot of the converter with the sample dictionary and story, under Xvfb.
screenshots-converter: screenshot-samples windows
	@mkdir -p docs/screenshots
	@scripts/screenshot.sh $(CURDIR)/build/windows mardelko_showcase.exe \
	  $(CURDIR)/docs/screenshots/mardelko.png \
	  '$(SHOTS_WIN)\kansai.zev' '$(SHOTS_WIN)\story.txt' 8

screenshots: screenshots-converter screenshots-editor screenshots-web

# The user guides shipped with the programs show the same pictures, and one of
# each step of their walk-throughs: images/PROGRAM-SCENE.png.
GUIDE_IMAGES := $(CURDIR)/packaging/guide/images
screenshots-guides: screenshots
	@cp docs/screenshots/mardelko.png docs/screenshots/zevedit.png packaging/guide/images/
	@for scene in loaded setup about; do \
	  scripts/screenshot.sh $(CURDIR)/build/windows mardelko_showcase.exe \
	    $(GUIDE_IMAGES)/mardelko-$$scene.png --scene $$scene \
	    '$(SHOTS_WIN)\kansai.zev' '$(SHOTS_WIN)\story.txt' 5 || exit 1; \
	done
	@for scene in new entry created header copyright; do \
	  scripts/screenshot.sh $(CURDIR)/build/windows zevedit_showcase.exe \
	    $(GUIDE_IMAGES)/zevedit-$$scene.png --scene $$scene 5 '$(SHOTS_WIN)\kansai.zev' || exit 1; \
	done

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

# The fuzzing stage of make test: a fixed seed and a fixed number of runs from
# the committed corpus, so that a finding can be replayed exactly.
FUZZ_TEST_SEED ?= 1
FUZZ_TEST_RUNS ?= 12000
test-fuzz: fuzz-build
	@for target in $(FUZZ_TARGETS); do \
	  FUZZ_SEED=$(FUZZ_TEST_SEED) FUZZ_RUNS=$(FUZZ_TEST_RUNS) bash fuzz/run.sh $$target || exit 1; \
	done

# Writes the seed corpora anew from fuzz/make_seeds.cpp.
fuzz-seeds: native
	@build/native/bin/zev_fuzz_seeds fuzz/corpus

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build

# The editor for a person, on their X display (no dictionary file commands yet).
.PHONY: run-editor screenshots-editor bench-editor
run-editor: windows
	@cd build/windows/bin && $(CURDIR)/scripts/wine-gui.sh $(CURDIR)/build/windows/wineprefix-gui zevedit.exe

# Screenshot of the editor with the sample dictionary loaded, under Xvfb, for the README.
screenshots-editor: screenshot-samples windows
	@mkdir -p docs/screenshots
	@scripts/screenshot.sh $(CURDIR)/build/windows zevedit_showcase.exe \
	  $(CURDIR)/docs/screenshots/zevedit.png 15 '$(SHOTS_WIN)\kansai.zev'

# RefillList of 16384 entries under Wine, then the three sorts and duplicate removal of
# 16384 entries, list refill included; each prints its time, and says so when it is
# above its target (2 s for the refill, 1 s for each of the others).
bench-editor: windows
	@$(WINE_RUN) --init
	@cd build/windows/bin && ../wine-run zevedit_refill_bench.exe 2
	@cd build/windows/bin && ../wine-run zevedit_sort_bench.exe 1

# The converter in the browser: the core built with Emscripten into build/wasm,
# the page put together in build/web. Emscripten's tools need Debian's node
# modules on the module path.
.PHONY: web serve-web test-web bench-web web-test-runner
EMSCRIPTEN_ENV := cmake -E env NODE_PATH=/usr/share/nodejs
web: native
	@$(EMSCRIPTEN_ENV) emcmake cmake -S . -B build/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DZEV_NATIVE_TOOLS=$(CURDIR)/build/native/bin >/dev/null
	@$(EMSCRIPTEN_ENV) cmake --build build/wasm -j2
	@node web/assemble.mjs build/native/bin/zev build/wasm/bin build/native/samples build/web

# The page on http://127.0.0.1:8932/ for a person to try.
serve-web: web
	@node web/serve.mjs build/web 8932

# The browser tests' runner (playwright-core, from the committed lock file),
# driving Debian's chromium.
web-test-runner: setup
	@cd web/test && npm ci --no-audit --no-fund --loglevel=error >/dev/null

test-web: web web-test-runner
	@echo "== browser tests (chromium)"
	@node --test web/test/page.test.mjs

# Page ready, a 64000-byte conversion in the page against zev convert, and
# the compressed sizes.
bench-web: web web-test-runner
	@node web/test/bench.mjs

# The page with the sample story converted, taken by chromium, for the README.
.PHONY: screenshots-web
screenshots-web: web web-test-runner
	@node web/test/screenshot.mjs docs/screenshots/web.png
