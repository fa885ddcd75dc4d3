# The two commands of the README, and a few more for developers.
BUILD ?= build
JOBS  ?= $(shell nproc)
DEMO  ?= $(BUILD)/demo

.PHONY: deps build demo test bench fuzz clean

deps:
	bash scripts/deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

# The demo folder is made once; later runs keep what was done in it.
demo: build
	test -d $(DEMO) || $(BUILD)/bin/kavfix demo $(DEMO)
	cd $(DEMO) && $(abspath $(BUILD))/bin/kav32

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAV_TESTS=OFF
	cmake --build build-bench -j $(JOBS)
	bash bench/run.sh build-bench

fuzz: deps
	bash fuzz/run.sh

clean:
	rm -rf $(BUILD) build-bench build-fuzz
