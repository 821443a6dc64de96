#!/usr/bin/env bash
# image_seed.sh IMAGE OUTPUT [LEADING_BYTES] [DECLARED_SIZE]
# A seed for the image fuzzers (image_input.h) from a real library: the declared file size
# as 8 little-endian bytes (the image's own size unless given, a smaller one makes a
# truncated copy), then the image's leading bytes (4096 unless given): its headers.
set -euo pipefail
image=$1 output=$2 leading=${3:-4096}
size=${4:-$(stat -c %s "$image")}
{
  for ((i = 0; i < 8; i++)); do
    printf "\\x$(printf %02x $(((size >> (8 * i)) & 255)))"
  done
  head -c "$leading" "$image"
} >"$output.part"
mv "$output.part" "$output"
