# The two commands of the README: `make run` and `make test`. Both install what is missing first:
# `make run` only what building and running the game needs, and builds only the game; `make test`
# adds the test tools and builds everything else. `make run ARGS=--version` passes arguments on.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
ARGS ?=
# The groups of scripts/install-deps a target needs beyond the game's own packages.
DEPS ?=

.PHONY: deps configure game all run test bench mutate package clean

test bench: DEPS = test
mutate: DEPS = mutate
package: DEPS = package

deps:
	./scripts/install-deps $(DEPS)

# Configures once, and again only when Debian packages were installed or removed since (a library
# found or lost). Everything else CMake watches itself: `cmake --build` configures again when a
# CMakeLists.txt, a cmake/ file or a template it reads has changed.
configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ] || [ /var/lib/dpkg/status -nt $(BUILD)/CMakeCache.txt ]; then \
		echo "cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)"; \
		cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) && touch $(BUILD)/CMakeCache.txt; \
	fi

game: configure
	cmake --build $(BUILD) -j $(JOBS) --target quilvaro

all: configure
	cmake --build $(BUILD) -j $(JOBS)

run: game
	./$(BUILD)/quilvaro $(ARGS)

test: all
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Benchmarks of the rules, a real-time game and the start-up, printed as one table.
bench: all
	./bench/run-bench $(BUILD)

# The mutation run over the whole game (game/, view/, players/, app/, platform/), in a build
# folder of its own (build-mutate);
# MUTATE_ARGS passes options, e.g. MUTATE_ARGS="--folder game --sample 50 --seed 1".
mutate: deps
	./scripts/mutate $(MUTATE_ARGS)

# A Debian package of the game, built in its own folder with Debian's layout (the game in
# /usr/games) and Debian's build flags (hardening included), without the tests. It builds with
# nothing set: the maintainer is QUILVARO_MAINTAINER when a packager sets it, else DEBFULLNAME and
# DEBEMAIL as for Debian's own tools, else git's user.name and user.email, else the login and the
# host name (the configure step says which); a home page comes from QUILVARO_HOMEPAGE (see the
# README).
PACKAGE_BUILD ?= build-package
PACKAGE_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
QUILVARO_MAINTAINER ?=
QUILVARO_HOMEPAGE ?=
QUILVARO_SCREENSHOT_URL ?=

package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
		-DCMAKE_CXX_FLAGS="$$($(PACKAGE_FLAGS) CPPFLAGS) $$($(PACKAGE_FLAGS) CXXFLAGS)" \
		-DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(PACKAGE_FLAGS) LDFLAGS)" \
		-DQUILVARO_MAINTAINER="$(QUILVARO_MAINTAINER)" -DQUILVARO_HOMEPAGE="$(QUILVARO_HOMEPAGE)" \
		-DQUILVARO_SCREENSHOT_URL="$(QUILVARO_SCREENSHOT_URL)"
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD)
