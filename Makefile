# Two commands for a fresh Debian 12 machine: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_ARGS ?=
# WERROR=ON turns the project's warnings into errors (CI does).
WERROR ?= OFF
HEADLESS = QT_QPA_PLATFORM=offscreen QT_QPA_OFFSCREEN_NO_GLX=1

.PHONY: run test bench format resources fuzz deps configure build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTOR_WERROR=$(WERROR) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/bin/zentor-demo $(ARGS)

test: build
	$(HEADLESS) ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: build
	bench/run-all.sh $(BUILD)

# The running program's CPU per frame in each measured scenario against the
# build of BASELINE (built by itself in build-baseline/), the two in
# alternating runs: medians of RUNS runs of BENCH_SECONDS each, their ratio,
# and instructions per frame (COUNT_SECONDS under callgrind; 0 skips them).
# For an otherwise idle machine.
RUNS ?= 5
BENCH_SECONDS ?= 60
BASELINE ?= afdcd8a
COUNT_SECONDS ?= 30
.PHONY: bench-cpu
bench-cpu: build
	JOBS=$(JOBS) COUNT_SECONDS=$(COUNT_SECONDS) \
	  bench/program/measure-cpu.sh $(BUILD) $(BASELINE) $(RUNS) $(BENCH_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

resources: configure
	cmake --build $(BUILD) --target resources

FUZZ_SECONDS ?= 60
fuzz: deps
	scripts/run-fuzz $(FUZZ_SECONDS)

# The Debian package, $(BUILD)/zentor-demo_<version>-1_<arch>.deb, with its
# library dependencies computed by dpkg-shlibdeps.
.PHONY: package
package: build
	cd $(BUILD) && cpack -G DEB

# The soak at full size: the real window for 100,000 ticks (about 1.8 hours of
# engine time) under seeded random input, in the ordinary build.
SOAK_TICKS ?= 100000
.PHONY: soak
soak: build
	$(HEADLESS) ALSOFT_DRIVERS=null ZENTOR_SOAK_TICKS=$(SOAK_TICKS) $(BUILD)/bin/tst_soak
