# Newcomer commands:
#   make run          set up, build, and start the tuner on the default prefix
#   make test         set up, build, and run every test
#   make run-player   set up, build, and start the movie player on the default prefix
#   make install      build and install into PREFIX (/usr/local), below DESTDIR when given
#   make package      build the Debian package build/varnreel_<version>_<arch>.deb
#   make sanitize     build everything with ASan and UBSan in build-sanitize/ and run every test
#   make fuzz         build the fuzz targets with clang's libFuzzer and run each for FUZZ_SECONDS
BUILD ?= build
# Compiler cache hits across clones and work trees of the same sources.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true
JOBS ?= 2
PACKAGES := cmake ninja-build g++ ccache pkg-config qt6-base-dev libgl-dev libavformat-dev libavcodec-dev libavfilter-dev \
            libavutil-dev libswscale-dev libswresample-dev libsdl2-dev nettle-dev libgtest-dev \
            googletest libx11-dev libxtst-dev libxcb-shm0-dev libyuv-dev fonts-liberation fonts-symbola ffmpeg vcdimager xvfb xauth xdg-utils x11-xserver-utils openbox \
            dpkg-dev file desktop-file-utils appstream lintian man-db
PREFIX ?= /usr/local

.PHONY: setup configure build test run run-player install package bench clean sanitize fuzz-setup fuzz

setup:
	@./scripts/install-packages.sh $(PACKAGES)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	./scripts/run-tests.sh $(BUILD) $(JOBS)

run: build
	./scripts/run-main.sh $(BUILD)

run-player: build
	./scripts/run-player.sh $(BUILD)

# DESTDIR, when given, is put before PREFIX (staged installs, packaging).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: build
	cmake --build $(BUILD) --target package

# Figures against peers (ffmpeg, mpv), printed as ratios; not part of the tests.
bench: build
	@./scripts/install-packages.sh mpv time
	$(BUILD)/bin/bench_decode
	bench/presented_playback.sh $(BUILD)
	$(BUILD)/bin/bench_driver_play
	$(BUILD)/bin/bench_cut

# Every test under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, in a build
# folder of its own at -O1. The first finding fails the test it happens in. Findings are
# suppressed only inside system libraries (cmake/sanitizers/lsan.supp for leaks, asan.supp for
# the rest). The test programs run while building (test discovery), so the build runs with the
# same options.
SANITIZE_BUILD ?= build-sanitize
SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:check_initialization_order=1:suppressions=$(CURDIR)/cmake/sanitizers/asan.supp \
                 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/cmake/sanitizers/lsan.supp:print_suppressions=0

$(SANITIZE_BUILD)/build.ninja:
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DSANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

sanitize: setup $(SANITIZE_BUILD)/build.ninja
	$(SANITIZER_ENV) cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	$(SANITIZER_ENV) ./scripts/run-tests.sh $(SANITIZE_BUILD) $(JOBS)

# The fuzz targets of fuzz/ as libFuzzer programs (clang, ASan and UBSan), each run for
# FUZZ_SECONDS over a copy of its corpus; new inputs stay in the build folder, a crash fails the
# run and names the input that caused it. `make test` replays the kept corpora.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev

fuzz-setup: setup
	@./scripts/install-packages.sh $(FUZZ_PACKAGES)

$(FUZZ_BUILD)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DFUZZ=ON -DCMAKE_BUILD_TYPE=Debug

fuzz: fuzz-setup $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_targets
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
