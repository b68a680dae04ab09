#!/usr/bin/env bash
# Builds the libFuzzer target for textToInt with clang and runs it for 60 seconds (or $1 seconds).
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build/fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  tests/fuzz/text_to_int_fuzz.cpp platform/text.cpp -o "$out/text_to_int_fuzz"
# New inputs go to build/fuzz/corpus; the checked-in seeds are read only.
"$out/text_to_int_fuzz" -max_total_time="${1:-60}" -max_len=64 "$out/corpus" tests/fuzz/corpus
