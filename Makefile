# Newcomer commands:
#   make run          set up, build, and start the tuner on the default prefix
#   make test         set up, build, and run every test
#   make run-player   set up, build, and start the movie player on the default prefix
#   make install      build and install into PREFIX (/usr/local), below DESTDIR when given
#   make package      build the Debian package build/varnreel_<version>_<arch>.deb
BUILD ?= build
# Compiler cache hits across clones and work trees of the same sources.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true
JOBS ?= 2
PACKAGES := cmake ninja-build g++ ccache pkg-config qt6-base-dev libgl-dev libavformat-dev libavcodec-dev \
            libavutil-dev libswscale-dev libswresample-dev libsdl2-dev nettle-dev libgtest-dev \
            googletest libx11-dev fonts-liberation ffmpeg vcdimager xvfb xauth xdg-utils x11-xserver-utils openbox \
            dpkg-dev file desktop-file-utils appstream lintian man-db
PREFIX ?= /usr/local

.PHONY: setup configure build test run run-player install package bench clean

setup:
	@./scripts/install-packages.sh $(PACKAGES)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j$(JOBS)

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
	bench/playback_cpu.sh $(BUILD)
	$(BUILD)/bin/bench_driver_play

clean:
	rm -rf $(BUILD)
