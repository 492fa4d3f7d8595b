#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# into build-asan/, with the libFuzzer harnesses of tests/fuzz, and runs it: every test
# and every fuzzer for ZARNO_FUZZ_SECONDS. Any report ends the process that made it, so
# it fails its test.
# Leak checking is off: Qt, fontconfig and Mesa keep allocations for the life of the
# process on purpose and would bury real reports. The package test is left out: it
# builds a second copy of the engine with the system compiler, not a sanitized one; so is
# the soak, whose memory figure means nothing while ASan holds freed memory in quarantine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Set before building too: the build runs sanitized programs (the asset generator).
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:detect_stack_use_after_return=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build-asan/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DZARNO_FUZZ=ON -DZARNO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
fi
# "fuzz" as the first argument builds and runs only the fuzzers.
if [ "${1:-}" = fuzz ]; then
  shift
  targets=$(sed -n 's/^build \(bin\/fuzz_[a-z]*\): .*/\1/p' build-asan/build.ninja | sort -u)
  # shellcheck disable=SC2086
  cmake --build build-asan -j"$(nproc)" --target ${targets//bin\//}
  set -- -R '^fuzz_[a-z]+$' "$@"
else
  cmake --build build-asan -j"$(nproc)"
fi
bash scripts/with-test-env.sh ctest --test-dir build-asan --output-on-failure -j2 -E '^sh_tst_(package|soak)$' "$@"
