# make run   installs what is missing (with the optional group: LibreOffice and Poppler's
#            tools for presentations), builds and starts the editor on the sample data
# make test  installs what is missing, builds and runs every test headless
#
# Further targets (each installs what is missing first):
# make test-asan     builds in build-asan with AddressSanitizer and UBSan (leak detection on,
#                    stops at the first error) and runs every test
# make bench         builds the benchmarks in build-bench (RelWithDebInfo) and runs them
# make format-check  fails when a C++ file differs from the layout of .clang-format
# make format        lays out every C++ file with clang-format
# make install       installs into PREFIX (default /usr/local)
#
# With CI=true in the environment, compiler warnings are errors.

BUILD_DIR ?= build
ASAN_DIR ?= build-asan
BENCH_DIR ?= build-bench
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= 2

# Compiler cache entries stay valid across clones in other folders.
export CCACHE_BASEDIR ?= $(CURDIR)

comma := ,
WERROR := $(if $(filter true,$(CI)),ON,OFF)

# $(call configure,<folder>,<build type>,<options>)
configure_dir = cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=$(2) -DKOVA_WERROR=$(WERROR) $(3)

# The sanitizers' settings for the test run: report leaks, stop at the first error of any
# kind with a stack trace; the suppressions name third-party libraries only.
SANITIZER_ENV = \
	ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1:fast_unwind_on_malloc=0 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps deps-optional configure build run test test-asan bench install clean format format-check

all: build

deps:
	@bash scripts/install-deps.sh

deps-optional:
	@bash scripts/install-deps.sh --optional

configure: deps
	$(call configure_dir,$(BUILD_DIR),$(BUILD_TYPE),-DKOVA_BUILD_BENCHMARKS=OFF)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps-optional build
	$(BUILD_DIR)/app/kova-editor

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# -O1 keeps the instrumented tests quick while the stack traces stay readable.
test-asan: deps
	$(call configure_dir,$(ASAN_DIR),RelWithDebInfo,-DKOVA_BUILD_BENCHMARKS=OFF \
		-DKOVA_SANITIZE=address$(comma)undefined "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g")
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) \
		ctest --output-on-failure -j $(JOBS)

bench: deps
	$(call configure_dir,$(BENCH_DIR),RelWithDebInfo,-DKOVA_BUILD_BENCHMARKS=ON -DKOVA_BUILD_TESTS=OFF)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $$(find $(BENCH_DIR)/bench -maxdepth 2 -type f -perm -u+x -name 'bench_*' | sort); do \
		echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

install: build
	cmake --install $(BUILD_DIR) --prefix $(or $(PREFIX),/usr/local)

format: deps
	@git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format -i

format-check: deps
	@git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format --dry-run -Werror
	@echo "format-check: every C++ file follows .clang-format"

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(BENCH_DIR)
