# make run   installs what is missing, builds and starts the editor on the sample data
# make test  installs what is missing, builds and runs every test headless

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2

.PHONY: all deps configure build run test bench install clean format

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
		cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE); \
	fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/kova-editor

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $$(find $(BUILD_DIR)/bench -maxdepth 2 -type f -perm -u+x -name 'bench_*' | sort); do \
		echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
