# The two commands a newcomer needs are `make run` and `make test`; both install what is missing.
.PHONY: all setup build build-host run test lint fuzz dist bench screenshot clean

JOBS ?= $(shell nproc)
VERSION := $(shell sed -n 's/^\#define OMBRIX_VERSION_TEXT "\([0-9]*\.[0-9]*\.[0-9]*\)\.[0-9]*"/\1/p' resources/version.h)

all: build

setup:
	@bash tools/setup.sh

# Both Windows executables: build/win32/ombrix.exe (the product) and build/win64/ombrix.exe.
build: setup
	cmake --preset win32 >/dev/null
	cmake --build build/win32 -j $(JOBS) --target ombrix
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j $(JOBS) --target ombrix

build-host: setup
	cmake --preset host >/dev/null
	cmake --build build/host -j $(JOBS)

# This machine runs only 64-bit Windows code, so Ombrix runs as its 64-bit build.
run: build
	tools/wine.sh run build/win64/ombrix.exe

lint: build
	bash tools/lint.sh

test: lint build-host
	cmake --build build/win64 -j $(JOBS)
	cd build/host && ctest --output-on-failure
	tools/wine.sh session --xvfb -- ctest --test-dir build/win64 --output-on-failure

# textToInt under libFuzzer for 60 seconds.
fuzz: setup
	bash tests/fuzz/run.sh 60

# The 32-bit executable, as shipped, with its read-me.
dist: build
	rm -rf build/dist && mkdir -p build/dist/ombrix-$(VERSION) dist
	cp build/win32/ombrix.exe build/dist/ombrix-$(VERSION)/
	i686-w64-mingw32-strip build/dist/ombrix-$(VERSION)/ombrix.exe
	cp docs/README-dist.txt build/dist/ombrix-$(VERSION)/README.txt
	rm -f dist/ombrix-$(VERSION)-win32.zip
	cd build/dist && zip -q -r ../../dist/ombrix-$(VERSION)-win32.zip ombrix-$(VERSION)
	@echo "dist/ombrix-$(VERSION)-win32.zip"

# Start-up, memory, size, picker and exit figures of Ombrix against what it cannot avoid doing; not
# part of `make test`.
bench: build
	cmake --build build/win64 -j $(JOBS) --target benchmarks
	tools/wine.sh session --xvfb -- bench/run.sh build/win64 build/win32

# docs/screenshot.png, the picture at the top of the README: the real program under Xvfb and Wine, one
# window already hidden into the list and a pick in progress on another.
screenshot:
	bash tools/screenshot/setup.sh
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j $(JOBS) --target ombrix screenshot_stage
	tools/wine.sh session --xvfb -- tools/screenshot/capture.sh build/win64/screenshot_stage.exe docs/screenshot.png

clean:
	rm -rf build dist
