# The two set-up commands: `make run` starts the program, `make test` runs every test.
# Both install the Debian packages they need first.
TEST_DIR := build/test
RELEASE_DIR := build/release
CMAKE_FLAGS := -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: setup run test gallery bench headless

setup:
	@./tools/setup

$(RELEASE_DIR)/build.ninja: | setup
	@cmake -S . -B $(RELEASE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DPICOLAM_TESTS=OFF >/dev/null

$(TEST_DIR)/build.ninja: | setup
	@cmake -S . -B $(TEST_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DPICOLAM_SANITIZE=ON >/dev/null

run: setup $(RELEASE_DIR)/build.ninja
	@cmake --build $(RELEASE_DIR) --target picolam
	@$(RELEASE_DIR)/app/picolam

headless: setup $(RELEASE_DIR)/build.ninja
	@cmake --build $(RELEASE_DIR) --target picolam-headless

gallery: setup $(RELEASE_DIR)/build.ninja
	@cmake --build $(RELEASE_DIR) --target gallery
	@$(RELEASE_DIR)/examples/gallery/gallery

bench: setup $(RELEASE_DIR)/build.ninja
	@cmake --build $(RELEASE_DIR) --target benchmarks
	@$(RELEASE_DIR)/bench/benchmarks

# The release build is what `make run` starts; it is built too, so its warnings stop a test run.
test: setup $(TEST_DIR)/build.ninja $(RELEASE_DIR)/build.ninja
	@cmake --build $(TEST_DIR)
	@cmake --build $(RELEASE_DIR) --target picolam picolam-headless gallery
	@cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
