# Thin wrapper over the CMake presets; every target installs what it needs first.
#   make demo          convert the bundled example board and show the outputs
#   make test          build and run every test (and check the optimised build's listing)
#   make run           start the dialog program (on a virtual display when there is none)
#   make install       install the programs under PREFIX (default /usr/local)
#   make package       build the Debian package and check it with lintian
#   make test-package  install that package on this machine, check it and remove it (root)
#   make windows       cross-build zemra.exe, zemra-convert.exe and their tests for Windows
#   make test-spreadsheet  read the workbooks of --dump=xlsx back with LibreOffice
#   make test-windows  run the Windows tests under wine and compare with the Linux build
#   make package-windows       the Windows zip, installer (NSIS) and MSI package in build/windows
#   make test-package-windows  install, use and uninstall the installer and the MSI under wine
#   make screenshot-windows    docs/zemra-win32-dialog.png: zemra.exe under wine and Xvfb
#   make screenshot-report     docs/zemra-report.png: the page of --html in headless Chromium
#   make bench         conversion throughput, against printf, and --tuned against converting plus --diff
#   make bench-page    the size of the --html page and the time Chromium takes to draw it
#   make bench-diff    --diff on two boards of 1,000,000 records: time and peak memory
#   make fuzz          fuzz the conversion, then the tester files' reader, FUZZ_SECONDS each (60)
#   make deps          install missing Debian packages only
# demo, run, install and package use the optimised build of the programs alone (preset dist).

# chromium runs the test of the --html page.
PACKAGES := cmake ninja-build make g++ pkg-config zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev \
            nlohmann-json3-dev nettle-dev chromium libxlsxwriter-dev qt6-base-dev \
            fonts-arphic-uming fonts-nanum \
            dpkg-dev file lintian appstream desktop-file-utils xdg-utils shared-mime-info man-db \
            groff-base faketime bindfs
WINDOWS_PACKAGES := cmake ninja-build make g++-mingw-w64-x86-64-posix wine wine64 googletest libcli11-dev \
                    nlohmann-json3-dev libz-mingw-w64-dev dpkg-dev unzip fonts-arphic-uming \
                    fonts-nanum fonts-wine
# The Windows build compiles libxlsxwriter from Debian's source package, which apt-get source
# fetches through deb-src entries; deps-windows derives them from the machine's own deb entries
# (the same mirror or proxy) when apt has none.
DEB_SRC_LIST := /etc/apt/sources.list.d/zemra-deb-src
# What the spreadsheet test needs: LibreOffice reads the workbooks back, unzip shows their sheets.
SPREADSHEET_PACKAGES := libreoffice-calc-nogui unzip
WINDOWS_PACKAGING := nsis unzip wixl msitools
SCREENSHOT_PACKAGES := xvfb xauth imagemagick
# What `make run` needs on a machine without a display; it installs them on any machine.
RUN_PACKAGES := xvfb
FUZZ_PACKAGES := clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
EXAMPLE := examples/BOARD7.cmp
DEMO_DIR := build/demo
DIST_DIR := build/dist
PREFIX := /usr/local
# The virtual display of `make run` on a machine without one.
XVFB_DISPLAY ?= :99

FUZZ_SECONDS ?= 60

.PHONY: deps deps-windows deps-run build dist demo test test-asan test-spreadsheet fuzz run \
        install package test-package bench bench-page bench-diff windows test-windows package-windows \
        test-package-windows screenshot-windows screenshot-report clean

# Installs those of the Debian packages $(1) that are missing.
define install-missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

deps-windows:
	$(call install-missing,$(WINDOWS_PACKAGES))
	@if ! apt-get source --print-uris -qq libxlsxwriter >/dev/null 2>&1; then \
	  $(SUDO) tools/add-deb-src-entries.sh $(DEB_SRC_LIST) && $(SUDO) apt-get update -qq; \
	fi

build: deps
	cmake --preset dev
	cmake --build --preset dev

dist: deps
	cmake --preset dist
	cmake --build --preset dist

demo: deps
	cmake --preset dist
	cmake --build --preset dist --target zemra-convert
	@mkdir -p $(DEMO_DIR)
	./$(DIST_DIR)/cli/zemra-convert -o $(DEMO_DIR) $(EXAMPLE)
	@echo
	@echo "The four outputs of $(EXAMPLE):"
	@ls -l $(DEMO_DIR)/BOARD7
	@echo
	@echo "First lines of the listing ($(DEMO_DIR)/BOARD7/BOARD7.dat):"
	@head -n 15 $(DEMO_DIR)/BOARD7/BOARD7.dat | tr -d '\r'
	@echo
	@echo "IC pin index ($(DEMO_DIR)/BOARD7/BOARD7.icn):"
	@tr -d '\r' < $(DEMO_DIR)/BOARD7/BOARD7.icn
	@echo
	@echo "The command-line program is $(DIST_DIR)/cli/zemra-convert; the README's examples run"
	@echo "from this folder. make run starts the dialog."

test: build
	ctest --preset dev
	cmake --preset release
	cmake --build --preset release --target zemra_cli_tests
	./build/release/tests/zemra_cli_tests --gtest_filter='*Golden*'

# The engine, the CLI and their tests under AddressSanitizer and UndefinedBehaviorSanitizer; the
# browser tests, which test the page's script in Chromium over pages that other tests already
# write under the sanitizers, run in make test only (the asan test preset leaves them out).
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The workbooks of --dump=xlsx read back by LibreOffice, cell by cell against the CSV dump; the
# test fails here, rather than being skipped, when LibreOffice is missing.
test-spreadsheet: build
	$(call install-missing,$(SPREADSHEET_PACKAGES))
	ZEMRA_REQUIRE_SPREADSHEET=1 ./build/dev/tests/zemra_cli_tests --gtest_filter='Spreadsheet.*'

# libFuzzer over the whole conversion (clang, ASan + UBSan), starting from the committed corpus;
# new findings go to build/fuzz/corpus, a crash to build/fuzz/crash-*.
fuzz: deps
	$(call install-missing,$(FUZZ_PACKAGES))
	cmake --preset fuzz
	cmake --build --preset fuzz --target zemra_conversion_fuzzer zemra_tester_files_fuzzer
	mkdir -p build/fuzz/corpus build/fuzz/tester_corpus
	./build/fuzz/fuzz/zemra_conversion_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -timeout=30 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/ build/fuzz/corpus fuzz/corpus
	./build/fuzz/fuzz/zemra_tester_files_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	  -timeout=30 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/tester- build/fuzz/tester_corpus \
	  fuzz/tester_corpus

# Without a display (no DISPLAY and no WAYLAND_DISPLAY, as over plain SSH) the dialog comes up on
# a virtual screen, Xvfb at XVFB_DISPLAY; it ends when the dialog is closed or with Ctrl+C.
run: deps deps-run
	cmake --preset dist
	cmake --build --preset dist --target zemra
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then exec ./$(DIST_DIR)/app/qt/zemra; fi; \
	echo "make run: there is no display here (DISPLAY is not set), so zemra runs on the virtual"; \
	echo "  display $(XVFB_DISPLAY) (Xvfb), where it cannot be seen. To work with the dialog, run"; \
	echo "  make run in a desktop session or over ssh -X. Ctrl+C ends it."; \
	exec tools/run-on-virtual-display.sh $(XVFB_DISPLAY) ./$(DIST_DIR)/app/qt/zemra

deps-run:
	$(call install-missing,$(RUN_PACKAGES))

install: dist
	$(SUDO) cmake --install $(DIST_DIR) --prefix $(PREFIX)

package: dist
	rm -f $(DIST_DIR)/zemra_*.deb
	cpack --preset dist
	lintian --fail-on error $(DIST_DIR)/zemra_*.deb

test-package: package
	$(SUDO) .ci/test-deb $(DIST_DIR)/zemra_*.deb

bench: deps
	cmake --preset release
	cmake --build --preset release --target zemra_bench zemra-bench-baseline
	./build/release/bench/zemra_bench
	./build/release/bench/zemra-bench-baseline build/release/cli/zemra-convert \
	  build/release/bench/printf_baseline build/release/tools/boardgen/zemra-generate-board
	bench/tuned_bench.sh build/release/cli/zemra-convert \
	  build/release/tools/boardgen/zemra-generate-board

bench-page: deps
	cmake --preset release
	cmake --build --preset release --target zemra-convert zemra-generate-board
	bench/report_page_bench.sh build/release/cli/zemra-convert \
	  build/release/tools/boardgen/zemra-generate-board

bench-diff: deps
	cmake --preset release
	cmake --build --preset release --target zemra-convert zemra-generate-board
	bench/diff_bench.sh build/release/cli/zemra-convert \
	  build/release/tools/boardgen/zemra-generate-board

# The build's wine prefix gets the fonts that the dialogs' Chinese and Korean texts need.
windows: deps-windows
	cmake --preset windows
	cmake --build --preset windows
	cmake/run-under-wine.sh build/windows/wine-prefix

# The tests run in the build's wine prefix (build/windows/wine-prefix); no display is needed,
# the dialog tests included. The Linux build to compare with is the release build.
test-windows: deps windows
	@echo "zemra-convert.exe under wine:"
	@cmake/run-under-wine.sh build/windows/wine-prefix build/windows/cli/zemra-convert.exe --version
	ctest --preset windows
	cmake --preset release
	cmake --build --preset release --target zemra_windows_parity_tests
	ZEMRA_WINDOWS_BUILD=build/windows ./build/release/tests/windows/zemra_windows_parity_tests

package-windows: windows
	$(call install-missing,$(WINDOWS_PACKAGING))
	rm -f build/windows/zemra-*-win64.zip build/windows/zemra-*-win64.exe \
	  build/windows/zemra-*-win64.msi
	cpack --preset windows
	cmake --build --preset windows --target msi

# The installed zemra-convert.exe is compared with the release build's zemra-convert.
test-package-windows: deps package-windows
	cmake --preset release
	cmake --build --preset release --target zemra-convert
	.ci/test-windows-packages build/windows build/release/cli/zemra-convert

screenshot-windows: windows
	$(call install-missing,$(SCREENSHOT_PACKAGES))
	tools/windows-screenshot.sh build/windows docs/zemra-win32-dialog.png

screenshot-report: dist
	$(call install-missing,$(SCREENSHOT_PACKAGES))
	tools/report-screenshot.sh $(DIST_DIR)/cli/zemra-convert docs/zemra-report.png

clean:
	rm -rf build
