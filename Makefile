# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench mutate package clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/quilvaro

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Benchmarks of the rules, a real-time game and the start-up, printed as one table.
bench: build
	./bench/run-bench $(BUILD)

# The mutation run over game/, view/ and players/, in a build folder of its own (build-mutate);
# MUTATE_ARGS passes options, e.g. MUTATE_ARGS="--folder game --sample 50 --seed 1".
mutate: deps
	./scripts/mutate $(MUTATE_ARGS)

# A Debian package of the game, built in its own folder with Debian's layout (the game in
# /usr/games), without the tests.
PACKAGE_BUILD ?= build-package

package:
	./scripts/install-deps package
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD)
