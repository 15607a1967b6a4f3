# The two commands: `make run` and `make test`. Both install what a fresh Debian 12 machine
# lacks, configure and build. `make install` and `make package` build the same way, then
# install (under PREFIX, default /usr/local, inside DESTDIR when given) or write the Debian
# package build/quendra2000_<version>_<arch>.deb.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all setup configure build run test test-main test-asan bench install package clean

all: build

setup:
	@bash scripts/setup.sh

$(BUILD_DIR)/build.ninja: | setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: setup $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/quendra

test: test-main test-asan

test-main: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The std-only libraries and their tests under AddressSanitizer and UBSan.
test-asan: setup
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUENDRA_GUI=OFF \
		-DQUENDRA_SANITIZE=ON -DQUENDRA_BENCH=OFF
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# The model, the table drawing and a drag frame (off screen), then the start-up under Xvfb.
bench: build
	$(BUILD_DIR)/bin/quendra_model_bench
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/quendra_table_bench
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/quendra_drag_bench
	bash bench/startup_time.sh 11 $(BUILD_DIR)
	bash bench/solver_bench.sh 1000 1000 100 $(BUILD_DIR)

# The installed programs find their files relative to their own folder, so any PREFIX works
# without configuring again.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: build
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
