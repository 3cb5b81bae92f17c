# Two everyday commands: `make demo` and `make test`. Both install what is
# missing on a fresh Debian machine first.

BUILD_DIR ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX    ?= /usr/local
# WERROR=ON turns compiler warnings into errors (CI builds that way).
WERROR    ?= OFF

# Hardened builds in folders of their own.
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 300

.PHONY: all bootstrap configure build demo test bench install clean \
        test-sanitized fuzz-smoke fuzz picture

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

# The quick look of the bundled example, docs/images/DM01_20240501.png, drawn anew.
picture: build
	@bash scripts/example_picture.sh $(BUILD_DIR)

# The whole suite built with the address and undefined-behaviour sanitizers
# (C, C++ and Fortran); the tests that cap DRUMLIN's address space are left
# out, since the address sanitizer reserves far more than that cap.
test-sanitized: bootstrap
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEISMO_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS) \
	  -E 'MemoryStaysConstantOnALongInput|ManyStreamsInConstantMemory|ManyStreamsInBoundedMemory'

# The fuzz targets, each run over its seed corpus and a few thousand inputs.
fuzz-smoke: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSEISMO_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) --target fuzzers -j $(JOBS)
	@cd $(FUZZ_DIR) && ctest --output-on-failure -L fuzz

# The fuzz targets run longer, FUZZ_SECONDS each.
fuzz: fuzz-smoke
	@for f in conversion export_parameters ctext_util; do \
	  mkdir -p $(FUZZ_DIR)/fuzz/found/$$f; \
	  $(FUZZ_DIR)/fuzz/$${f}_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=70000 \
	    $(FUZZ_DIR)/fuzz/found/$$f fuzz/corpus/$$f || exit 1; \
	done

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
