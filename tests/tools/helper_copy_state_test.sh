#!/bin/sh
# The helpers' build of the search (namespace helper_copy) keeps its state
# thread-local: an object of that build in writable, non-thread-local memory
# would be one object that every helper writes at once.
binary="$1"
symbols=$(objdump -tC "$binary" | grep 'helper_copy::') || { echo "no helper_copy symbols in $binary"; exit 1; }
echo "$symbols" | grep -q '[.]tbss' || { echo "no thread-local state in the helpers' build"; exit 1; }
shared=$(echo "$symbols" | grep -E '[.](data|bss)[[:space:]]')
if [ -n "$shared" ]; then
  echo "writable state of the helpers' build that is not thread-local:"
  echo "$shared"
  exit 1
fi
