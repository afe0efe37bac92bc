# Everything an operator or CI needs, from a fresh machine.
BUILD ?= build
JOBS ?= $(shell nproc)
DEMO ?= $(CURDIR)/demo-data
CMAKE_FLAGS ?=

.PHONY: all setup configure build test run bench fuzz package clean

all: build

setup:
	@scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

run: build
	@scripts/demo "$(BUILD)" "$(DEMO)"

bench: build
	@scripts/bench "$(BUILD)"

# A Debian package of both programs (apt install ./build/morav-updater_*.deb); under CI it is
# installed and run as well.
package: build
	@scripts/package-check "$(BUILD)"

# FUZZ_SECONDS=60 make fuzz for a short run.
FUZZ_SECONDS ?= 600
fuzz: build
	@scripts/fuzz "$(BUILD)" "$(BUILD)-fuzz" "$(FUZZ_SECONDS)"

clean:
	rm -rf $(BUILD)
