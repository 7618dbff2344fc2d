# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Instrumented builds, each in a build folder of its own.
#
# DORVAN_SANITIZE=address,undefined (or thread): every target is compiled and
# linked with these sanitizers; a report stops the program with an error.
# DORVAN_FUZZ=ON (clang only): the libFuzzer targets under fuzz/, with the code
# they reach instrumented for coverage, AddressSanitizer and UBSan.

set(DORVAN_SANITIZE "" CACHE STRING "Sanitizers for every target: address,undefined or thread")
option(DORVAN_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(DORVAN_SANITIZE)
  add_compile_options(-fsanitize=${DORVAN_SANITIZE} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${DORVAN_SANITIZE})
endif()

if(DORVAN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "DORVAN_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  if(DORVAN_SANITIZE)
    message(FATAL_ERROR "DORVAN_FUZZ brings its own sanitizers; leave DORVAN_SANITIZE empty")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
