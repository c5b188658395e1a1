# Plax: the commands a developer types. Each target installs what is missing first.
BUILD        ?= build
BUILD_ASAN   ?= build-sanitize
BUILD_BENCH  ?= build-bench
BUILD_FUZZ   ?= build-fuzz
JOBS         ?= 2
FUZZ_SECONDS ?= 60
CMAKE_FLAGS  ?=
INTERCHANGE_FUZZERS = graphml nodelinkjson dot plainedgelist gml gexf pajek graph6 adjacencymatrix adjacencylist pnml

.PHONY: all deps deps-bench deps-test build run test test-sanitize bench fuzz examples readme-picture format clean

all: build

# The package sets of scripts/install-deps.sh: running needs build and runtime, the tests add
# their tools, the fuzzers add clang.
deps:
	@bash scripts/install-deps.sh build runtime

deps-bench:
	@bash scripts/install-deps.sh build runtime bench

deps-test:
	@bash scripts/install-deps.sh build runtime test

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/shell/plax examples/road.net

test: deps-test build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps-test
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DPLAX_SANITIZE=ON -DPLAX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j $(JOBS)

bench: deps-bench
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release -DPLAX_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench/plax_*_bench; do echo "== $$b"; $$b --benchmark_min_time=0.2; done

# Each reader's fuzzer runs FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600 for a long run), starting
# from the sample files; whatever it finds is left in $(BUILD_FUZZ)/findings.
fuzz: deps
	@bash scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLAX_FUZZ=ON \
	  -DPLAX_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@mkdir -p $(BUILD_FUZZ)/findings $(BUILD_FUZZ)/corpus/net $(BUILD_FUZZ)/corpus/kp
	@cp examples/*.net $(BUILD_FUZZ)/corpus/net/ 2>/dev/null || true
	@cp tests/data/*.net $(BUILD_FUZZ)/corpus/net/ 2>/dev/null || true
	@cp examples/*.kp tests/data/*.kp $(BUILD_FUZZ)/corpus/kp/ 2>/dev/null || true
	$(BUILD_FUZZ)/fuzz/net_file_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -max_len=8192 \
	  -artifact_prefix=$(BUILD_FUZZ)/findings/net- $(BUILD_FUZZ)/corpus/net
	$(BUILD_FUZZ)/fuzz/krack_plot_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -max_len=4096 \
	  -artifact_prefix=$(BUILD_FUZZ)/findings/kp- $(BUILD_FUZZ)/corpus/kp
	@for f in $(INTERCHANGE_FUZZERS); do mkdir -p $(BUILD_FUZZ)/corpus/$$f; done
	@cp tests/data/interchange/*.graphml $(BUILD_FUZZ)/corpus/graphml/
	@cp tests/data/interchange/*.json $(BUILD_FUZZ)/corpus/nodelinkjson/
	@cp tests/data/interchange/*.gv $(BUILD_FUZZ)/corpus/dot/
	@cp tests/data/interchange/*.edgelist $(BUILD_FUZZ)/corpus/plainedgelist/
	@cp tests/data/interchange/*.gml $(BUILD_FUZZ)/corpus/gml/
	@cp tests/data/interchange/*.gexf $(BUILD_FUZZ)/corpus/gexf/
	@cp tests/data/interchange/*.paj $(BUILD_FUZZ)/corpus/pajek/
	@cp tests/data/interchange/*.g6 $(BUILD_FUZZ)/corpus/graph6/
	@cp tests/data/interchange/*.csv $(BUILD_FUZZ)/corpus/adjacencymatrix/
	@cp tests/data/interchange/*.adjlist $(BUILD_FUZZ)/corpus/adjacencylist/
	@cp tests/data/interchange/*.pnml $(BUILD_FUZZ)/corpus/pnml/
	@for f in $(INTERCHANGE_FUZZERS); do \
	  echo "== $$f"; \
	  $(BUILD_FUZZ)/fuzz/$${f}_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -max_len=16384 \
	    -artifact_prefix=$(BUILD_FUZZ)/findings/$$f- $(BUILD_FUZZ)/corpus/$$f || exit 1; \
	done

# The README's picture of the road net, drawn by plax-cli.
readme-picture: build
	$(BUILD)/src/cli/plax-cli convert examples/road.net docs/road.png --show names,weights --size 560x350 --yes

# Rewrites the sample nets with the program's own writer.
examples: build
	$(BUILD)/examples/plax-make-examples examples

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_FUZZ)
