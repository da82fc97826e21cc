# The two commands of README.md: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= 2

.PHONY: deps build run test bench clean

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/huxo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -j$(JOBS) --output-on-failure

bench: build
	$(BUILD)/bench/bench_DoTick

clean:
	rm -rf $(BUILD)
