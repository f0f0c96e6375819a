# make demo   installs what is missing, builds, runs the demo client (under
#             Xvfb, writing screenshots, when there is no display: once at a
#             display scale of 1, once at 2 into scale2/)
# make test   installs what is missing, builds, runs every test under Xvfb
# make package builds the Debian packages, make docs the API reference
# make sanitize  builds the library and the tests with the address and
#             undefined-behaviour sanitizers into build-sanitize and runs every
#             test; any report fails the test (leak reports are off, as below)
# make fuzz   builds the fuzz targets with clang and runs each for FUZZ_SECONDS
#             (the toolkit's own libraries keep caches alive until exit, so
#             leak reports are off; a target's memory climbs by some hundred
#             MB over its first thousand runs and then stays: that is the
#             address sanitizer holding freed memory in quarantine)
BUILD ?= build
JOBS ?= 2
SCREENSHOTS ?= $(CURDIR)/out/screenshots
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
SANITIZE_BUILD ?= build-sanitize

.PHONY: all deps configure build test sanitize demo skin faces fuzz bench install package docs clean format format-check pot

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest -j$(JOBS) --output-on-failure

sanitize: deps
	@test -f $(SANITIZE_BUILD)/CMakeCache.txt || cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKELCTRLS_SANITIZE=ON -DKELCTRLS_BUILD_DEMO=OFF -DKELCTRLS_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest -j$(JOBS) --output-on-failure

demo: build
	@if [ -n "$$DISPLAY" ]; then \
		$(BUILD)/demo/kelctrls-demo; \
	else \
		rm -rf $(SCREENSHOTS); \
		tests/xrun $(BUILD)/demo/kelctrls-demo --screenshot $(SCREENSHOTS) && \
		GDK_SCALE=2 XRUN_SCREEN=2560x2048 tests/xrun $(BUILD)/demo/kelctrls-demo --screenshot $(SCREENSHOTS)/scale2 && \
		echo "screenshots written to $(SCREENSHOTS)"; \
	fi

# Repaints the default skin into data/skins/default, each image also at
# twice the size (name@2x.bmp) for a display scale of 2.
skin: build
	tests/xrun $(BUILD)/demo/kelctrls-skinpainter data/skins/default skins/default/images/

# Repaints the animated faces into data/faces, each also at twice the size
# (name@2x.gif).
faces: build
	tests/xrun $(BUILD)/demo/kelctrls-facegen data/faces

fuzz: deps
	@test -f $(FUZZ_BUILD)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELCTRLS_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@for target in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
		name=$$(basename $$target); corpus=fuzz/corpus/$${name#fuzz_}; \
		mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
		echo "== $$name for $(FUZZ_SECONDS) s"; \
		ASAN_OPTIONS=detect_leaks=0 tests/xrun $$target -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
			-artifact_prefix=$(abspath $(FUZZ_BUILD))/ \
			$(FUZZ_BUILD)/corpus/$$name $$( [ -d $$corpus ] && echo $$corpus ) || exit 1; \
	done

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; tests/xrun $$b || exit 1; done

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# Debian packages of the library, its development files and the demo, in
# $(BUILD)/packages.
package: build
	cd $(BUILD) && cpack

# The API reference, in $(BUILD)/docs/html.
docs: configure
	cmake --build $(BUILD) --target docs

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) out

# Extracts the translatable texts of the library into po/kelctrls.pot and of
# the demo into demo/po/kelctrls-demo.pot, and merges each template into the
# catalogues beside it (the build compiles them).
LIBRARY_TEXT_SOURCES = $(sort $(wildcard $(addsuffix /*.cpp,skin controls treelist messaging richtext browser dialogs uistate) include/kelctrls/*/*.h))
DEMO_TEXT_SOURCES = $(sort $(wildcard demo/*.cpp demo/*.h data/xrc/*.xrc)) data/tips.txt

pot:
	@sh scripts/extract-texts.sh kelctrls po/kelctrls.pot $(LIBRARY_TEXT_SOURCES)
	@sh scripts/extract-texts.sh kelctrls-demo demo/po/kelctrls-demo.pot $(DEMO_TEXT_SOURCES)
	@for po in $(wildcard po/*.po); do msgmerge --quiet --update --backup=none $$po po/kelctrls.pot; done
	@for po in $(wildcard demo/po/*.po); do msgmerge --quiet --update --backup=none $$po demo/po/kelctrls-demo.pot; done

# The sources in the house style (.clang-format); format-check fails on any
# file that differs from it.
FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h' '*.c')

format:
	@clang-format -i $(FORMAT_FILES)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES)
