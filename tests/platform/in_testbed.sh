#!/bin/sh
# Runs a test binary under umockdev-wrapper. The wrapper preloads umockdev's library ahead of
# the sanitizer runtime, which AddressSanitizer refuses unless told that the order is fine;
# ThreadSanitizer is told to leave umockdev's own threads alone.
here=$(dirname "$0")
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
TSAN_OPTIONS="${TSAN_OPTIONS:+$TSAN_OPTIONS:}suppressions=$here/umockdev.tsan.supp"
export ASAN_OPTIONS TSAN_OPTIONS
exec umockdev-wrapper "$@"
