# The two commands of README.md: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
JOBS ?= 2

FUZZ_SECONDS ?= 60

.PHONY: deps build run test test-asan fuzz bench bench-window clean install deb format-check format folder-check

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/huxo

# The program folder PREFIX/lib/huxo, the command PREFIX/bin/huxo and the desktop entry, icons and metainfo.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the same files under /usr, in $(BUILD).
deb: build
	cd $(BUILD) && cpack -G DEB

# The whole suite: the format, shell-script and layering checks, the tests, the same tests built with the address and
# undefined-behaviour checkers, and a short run of every fuzz target.
test: format-check shell-check folder-check build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest -j$(JOBS) --output-on-failure
	$(MAKE) test-asan
	$(MAKE) fuzz FUZZ_SECONDS=10

# Every C++ file as .clang-format says; `make format` formats them in place.
format-check: deps
	scripts/check-format.sh

format: deps
	scripts/check-format.sh --fix

# The shell scripts as shellcheck wants them: no warning and no error.
.PHONY: shell-check
shell-check: deps
	scripts/check-shell.sh

# Which folder of src/ includes which; fails when folders include each other in a circle, when two windows include
# each other, or when a window outside ui/main includes the main window's class.
folder-check:
	scripts/folder-deps.sh

build-asan/build.ninja:
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHUXO_SANITIZE=ON -DHUXO_BUILD_BENCH=OFF

test-asan: deps build-asan/build.ninja
	cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest -j$(JOBS) --output-on-failure

build-fuzz/build.ninja:
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUXO_FUZZ=ON

fuzz: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j$(JOBS)
	scripts/run-fuzzers.sh build-fuzz $(FUZZ_SECONDS)

TICK_SECONDS ?= 300

bench: build
	$(BUILD)/bench/bench_DoTick
	$(BUILD)/bench/bench_TickDelay $(TICK_SECONDS)
	$(MAKE) bench-window
	$(MAKE) bench-server

# The main window against two bare Qt windows on a private X server: start-up, memory and CPU, about 90 s.
bench-window: build
	bench/window/bench_window.sh $(BUILD)

SOAK_MINUTES ?= 10

# The real binary, minimised on a private X server under a clock that runs 60 times fast: its memory and file
# descriptors once a minute for SOAK_MINUTES minutes, and the local time it shows at the end.
.PHONY: soak
soak: build
	bench/soak/huxo_soak.sh $(BUILD) $(SOAK_MINUTES)

# The time and update servers from server/, in the foreground on unprivileged ports, until Ctrl+C.
SERVE_HTTP ?= 8080
SERVE_HTTPS ?= 8443
.PHONY: serve
serve: deps
	server/serve.sh --http $(SERVE_HTTP) --https $(SERVE_HTTPS) $(BUILD)/serve

# The Debian package huxo-server (configuration and content for the system's lighttpd), in $(BUILD).
.PHONY: deb-server
deb-server: deps
	server/package/build-deb.sh $(BUILD)

# Makes server/x__c51/dst.txt afresh from this computer's tz database; commit the result.
.PHONY: dst-text
dst-text: deps
	server/dst/make_dst_text.py server/x__c51/dst.txt

# The web server under load on loopback: the time line and a static file, 20 s at most.
.PHONY: bench-server
bench-server: deps
	bench/server/bench_server.sh $(BUILD)/bench-server

clean:
	rm -rf $(BUILD) build-asan build-fuzz
