# The two commands a newcomer needs are `make run` and `make test`; both install what is missing.
.PHONY: all setup build build-host run test bench clean

JOBS ?= $(shell nproc)

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

test: build build-host
	cmake --build build/win64 -j $(JOBS)
	cd build/host && ctest --output-on-failure
	tools/wine.sh session --xvfb -- ctest --test-dir build/win64 --output-on-failure

# Start-up, memory, size, picker and exit figures of Ombrix against what it cannot avoid doing; not
# part of `make test`.
bench: build
	cmake --build build/win64 -j $(JOBS) --target benchmarks
	tools/wine.sh session --xvfb -- bench/run.sh build/win64 build/win32

clean:
	rm -rf build
