# make run   installs what is missing, builds, and starts the program on sample photos
#            (without a display, runs the main job through framewright-cli)
# make test  installs what is missing, builds, and runs every test
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
SAMPLES := $(BUILD)/samples
CLI := $(BUILD)/src/framewright-cli

.PHONY: all deps build cli run test bench clean

all: build

deps:
	./scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

cli: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target framewright-cli

$(SAMPLES)/.complete: scripts/make-samples.sh | deps
	./scripts/make-samples.sh $(SAMPLES)

DEMO_OUTPUT := $(BUILD)/demo-output

# With a display, the program's window with the samples in its batch; without
# one, the main job through the command line: every sample upright, 800 pixels
# wide, as JPEG at quality 80, with the run log beside the outputs.
run: deps $(BUILD)/build.ninja $(SAMPLES)/.complete
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		cmake --build $(BUILD) --target framewright && $(BUILD)/src/framewright $(SAMPLES); \
	else \
		cmake --build $(BUILD) --target framewright-cli && rm -rf $(DEMO_OUTPUT) && \
		$(CLI) -o $(DEMO_OUTPUT) --width 800 --rotate auto --format jpg --quality 80 \
			--log $(DEMO_OUTPUT)/run-log.csv $(SAMPLES); \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

# Whole-run benchmarks against vipsthumbnail (makes the shared corpus first).
bench: build
	./build/bench/framewright_benchmarks
	QT_LOGGING_RULES="framewright.*=false" ./build/bench/framewright_window_benchmarks
	./bench/run-geometry.sh
	./bench/run-batch.sh
	./bench/run-window.sh
	./bench/run-formats.sh
	./bench/run-shards.sh

clean:
	rm -rf $(BUILD)
