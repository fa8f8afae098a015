# Compiler settings shared by every target.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
  set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

# Replays must reproduce bit for bit in every build, so floating point is never
# contracted into fused operations nor reordered: no -ffast-math, no -Ofast.
add_compile_options(-Wall -Wextra -ffp-contract=off)

# HALVIR_SANITIZE: empty, "address,undefined" or "thread". A "thread" build
# defines only the tests labelled "thread".
set(HALVIR_SANITIZE "" CACHE STRING "Sanitizers to build with (-fsanitize=...)")
if(HALVIR_SANITIZE)
  add_compile_options(-fsanitize=${HALVIR_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${HALVIR_SANITIZE})
  if(HALVIR_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()

# The sanitized test binaries are large (about 40 MB each); lld links them in
# about half the CPU time of the default linker.
find_program(HALVIR_LLD ld.lld)
if(HALVIR_LLD AND (HALVIR_SANITIZE OR HALVIR_FUZZ))
  add_link_options(-fuse-ld=lld)
endif()

# HALVIR_FUZZ: a clang build of the libFuzzer targets only (every library
# instrumented for coverage, with AddressSanitizer and UndefinedBehaviorSanitizer,
# which stops at its first report so that the fuzzer keeps the input).
option(HALVIR_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
# The fuzz step takes about HALVIR_FUZZ_BUDGET seconds of wall time on
# HALVIR_FUZZ_JOBS cores, shared among the fuzzers, each at least 20 s;
# HALVIR_FUZZ_SECONDS, when set, fixes each fuzzer's time instead.
set(HALVIR_FUZZ_BUDGET 120 CACHE STRING "Wall seconds of the whole fuzz step")
set(HALVIR_FUZZ_JOBS 1 CACHE STRING "Fuzzers CTest runs at once")
set(HALVIR_FUZZ_SECONDS "" CACHE STRING "Seconds for each fuzzer (empty: from the budget)")
set(HALVIR_FUZZ_CORPUS "" CACHE PATH "Folder of the fuzzers' corpora (empty: in the build tree)")
if(HALVIR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HALVIR_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# HALVIR_UNITY: CMake's unity build, every target's sources compiled a batch
# at a time, so the headers they share (GoogleTest's above all) are parsed
# once a batch. scripts/test turns it on; it is off by default, so that an
# edit recompiles one file. The files of one target must be safe together:
# no two define a same-named helper in an anonymous namespace or as static.
option(HALVIR_UNITY "Compile each target's sources in batches (unity build)" OFF)
set(HALVIR_UNITY_BATCH 8 CACHE STRING "Sources per batch of a unity build")
if(HALVIR_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE ${HALVIR_UNITY_BATCH})
endif()
