# make run   installs what is missing, builds, and runs the main job on sample photos
# make test  installs what is missing, builds, and runs every test
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
SAMPLES := $(BUILD)/samples
CLI := $(BUILD)/src/framewright-cli

.PHONY: all deps build run test clean

all: build

deps:
	./scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

$(SAMPLES)/.complete: scripts/make-samples.sh | deps
	./scripts/make-samples.sh $(SAMPLES)

run: build $(SAMPLES)/.complete
	$(CLI) info $(SAMPLES)/*

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

clean:
	rm -rf $(BUILD)
