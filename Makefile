# The two set-up commands of the README: `make run` and `make test`.
PRESET ?= release
JOBS ?= $(shell nproc)

.PHONY: run test deps build check-format format bench clean

# With a display: the window in demo mode, against the built-in virtual mouse. Without one:
# the same full upload from the command line, then what the virtual mouse holds afterwards.
run: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		./build/release/bin/novu-gmouse --emulate; \
	else \
		echo "No display found: the command-line demo against the virtual mouse."; \
		image=$$(mktemp) && \
		./build/release/bin/novu-gmousectl --emulate upload --image "$$image" && \
		./build/release/bin/novu-gmousectl image decode "$$image"; \
		status=$$?; rm -f "$$image"; exit $$status; \
	fi

# The whole suite under both sanitizer builds: address + undefined behaviour, then thread.
test: deps check-format
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

deps:
	@./scripts/deps.sh

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j $(JOBS)

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	for b in build/release/bin/*_bench; do $$b; done

check-format:
	@files=$$(git ls-files '*.cpp' '*.h'); \
	clang-format --dry-run -Werror $$files

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
