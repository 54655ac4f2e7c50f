BUILD_DIR ?= build
JOBS ?= 2

.PHONY: run test build deps test-deps configure

run: deps build
	./$(BUILD_DIR)/runeshot

test: test-deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

configure:
	cmake -S . -B $(BUILD_DIR)

deps:
	tools/install-deps build

test-deps:
	tools/install-deps test
