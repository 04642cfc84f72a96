#!/usr/bin/env bash
# Builds and runs the measuring program that compares the line crossings of
# the graph-layout library's layouts with our own arrangement (in the
# benchmarks' Release directory, build-bench).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/setup.sh
kc_install_missing "${KC_BASE_PACKAGES[@]}" libbenchmark-dev "${KC_MEASURE_PACKAGES[@]}"
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKC_BENCH=ON
cmake --build "$build" -j2 --target kc_measure_graphviz
"$build/bench/kc_measure_graphviz"
