# Two everyday commands: `make demo` and `make test`. Both install what is
# missing on a fresh Debian machine first.

BUILD_DIR ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX    ?= /usr/local
# WERROR=ON turns compiler warnings into errors (CI builds that way).
WERROR    ?= OFF

.PHONY: all bootstrap configure build demo test bench install clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

configure: bootstrap
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
	  -DSEISMO_WARNINGS_AS_ERRORS=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

demo: build
	@bash scripts/demo.sh $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/bench.sh $(BUILD_DIR)

install: build
	@cmake --install $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
