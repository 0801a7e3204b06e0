# The two commands of the README: `make run` and `make test`. Both install what is
# missing (Debian packages, with apt-get), configure and build first.

BUILD      ?= build
SAN_BUILD  ?= build-asan
FUZZ_TIME  ?= 60
CMAKE_ARGS ?=

# Build tools, test and benchmark libraries, clang with its sanitizer and fuzzer
# runtimes, the locale sources the locale test compiles from, Qt 6 with its multimedia
# module and its translations, the Japanese interface font, tinygltf and the JSON library
# it is built on for the glTF export, assimp to read the exports back, and the X server, input
# tool and xprop of the end-to-end tests, dpkg-shlibdeps for the Debian package's
# dependencies, Node.js for the glTF validator and three.js, Chromium to draw the glTF
# export with three.js, and TORCS for the test drives. Debian's npm comes apart from its
# nodejs, while a Node.js from elsewhere brings its own: npm is installed when the command
# is missing.
PACKAGES := cmake ninja-build g++ libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
            locales qt6-base-dev qt6-multimedia-dev qt6-translations-l10n fonts-ipafont-gothic \
            libx11-dev libpng-dev libtinygltf-dev nlohmann-json3-dev assimp-utils xvfb xauth \
            xdotool x11-utils dpkg-dev nodejs chromium torcs

PREFIX     ?= /usr/local

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
SAMPLE := resources/samples/circuit.cus

.PHONY: all deps build run install package test test-sanitize bench format tidy clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || missing="$$missing $$p"; \
	done; \
	command -v npm >/dev/null || missing="$$missing npm"; \
	if [ -n "$$missing" ]; then \
	  echo "Installing Debian packages:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON $(CMAKE_ARGS)
	cmake --build $(BUILD)

run: build
	tools/run-designer.sh $(BUILD) $(SAMPLE)

# Installs into $(PREFIX), below $(DESTDIR) when that is set.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package velmora_<version>_<arch>.deb, written into $(BUILD).
package: build
	cd $(BUILD) && cpack -G DEB

# Unit, command-line and sample tests; then the same tests and the fuzz targets again
# under AddressSanitizer and UBSan, built with clang.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2
	$(MAKE) test-sanitize

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_WERROR=ON -DVELMORA_SANITIZE=ON \
	  -DVELMORA_FUZZ=ON -DVELMORA_FUZZ_TIME=$(FUZZ_TIME) -DVELMORA_BENCH=OFF
	cmake --build $(SAN_BUILD)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j 2

bench: build
	$(BUILD)/bench/velmora-bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	git ls-files 'src/*.cpp' 'tools/*.cpp' | xargs clang-tidy -p $(BUILD) --quiet

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
