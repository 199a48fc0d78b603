# Thin wrapper: the build itself lives in CMake (see CMakePresets.json).
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libsqlite3-dev libcurl4-openssl-dev libjpeg-dev libpng-dev \
  famfamfam-flag-png nlohmann-json3-dev libcpp-httplib-dev libgtest-dev libgmock-dev \
  libbenchmark-dev xvfb xauth fonts-liberation2 clang-format-14 git
FUZZ_PACKAGES := clang libclang-rt-dev
PACKAGE_PACKAGES := dpkg-dev file desktop-file-utils appstream lintian

.PHONY: deps build format-check loop-check test test-asan test-tsan demo bench fuzz screenshot package clean

deps:
	@scripts/install-deps.sh $(PACKAGES)

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

# The layout is checked with one pinned clang-format: versions disagree on details.
format-check: deps
	clang-format-14 --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

# No loop or wait of its own anywhere but where the one loop runs.
loop-check:
	scripts/check-one-loop.sh

# The format and the one loop, every test on the normal build, then the unit,
# fault-injection, threading and one-loop tests again under ASan and UBSan (the fault tests
# then run the sanitized korvex-cli), and the threading and one-loop tests under TSan.
test: format-check loop-check build
	ctest --preset dev -j $(JOBS)
	$(MAKE) test-asan
	$(MAKE) test-tsan

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -L 'unit|fault|thread' -j $(JOBS)
	# Qt and fontconfig keep caches to the end of the process, which LeakSanitizer would
	# report as leaks of the window's tests; every other error it checks still fails them.
	ASAN_OPTIONS=detect_leaks=0 ctest --preset asan -L loop -j $(JOBS)

TSAN_TARGETS := user_list_test piece_relay_test session_test history_store_test \
  ui_one_loop_test ui_responsiveness_test
test-tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS) --target $(TSAN_TARGETS)
	TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1" \
	  ctest --preset tsan -L 'thread|loop' -j $(JOBS)

demo: build
	scripts/demo.sh build/dev

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	scripts/bench.sh build/release

fuzz:
	@scripts/install-deps.sh $(FUZZ_PACKAGES) $(PACKAGES)
	scripts/fuzz.sh

# The Debian package from a hardened release build of the three programs, checked as the
# archive would check it.
package:
	@scripts/install-deps.sh $(PACKAGE_PACKAGES) $(PACKAGES)
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	rm -f build/package/korvex_*.deb
	cpack --preset package
	scripts/check-package.sh build/package/korvex_*.deb

screenshot: build
	scripts/screenshot.sh build/dev docs/korvex.png
	scripts/screenshot.sh build/dev docs/korvex-value.png --stat-tab 4
	scripts/screenshot.sh build/dev docs/korvex-trading.png --sort 8 --filter Spain
	scripts/screenshot.sh build/dev docs/korvex-live.png --signal --page 2
	scripts/screenshot.sh build/dev docs/korvex-movement.png --stat-tab 5
	scripts/screenshot.sh build/dev docs/korvex-signal-history.png --signal --signal-history --page 2
	scripts/screenshot.sh build/dev docs/korvex-stale.png --outage

clean:
	rm -rf build
