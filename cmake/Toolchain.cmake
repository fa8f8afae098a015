# Compiler settings shared by every target.

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
  set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

# Replays must reproduce bit for bit in every build, so floating point is never
# contracted into fused operations nor reordered: no -ffast-math, no -Ofast.
add_compile_options(-Wall -Wextra -ffp-contract=off)

# HALVIR_SANITIZE: empty, "address,undefined" or "thread".
set(HALVIR_SANITIZE "" CACHE STRING "Sanitizers to build with (-fsanitize=...)")
if(HALVIR_SANITIZE)
  add_compile_options(-fsanitize=${HALVIR_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${HALVIR_SANITIZE})
  if(HALVIR_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
