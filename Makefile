# The two commands of the README, and a few more for developers.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps build demo test bench fuzz clean

deps:
	bash scripts/deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	$(BUILD)/bin/kav32 --version

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
