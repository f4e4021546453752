# Fuzzing with libFuzzer, clang only: a build directory configured with
# -DZENTOR_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ builds every fuzzer through
# the `fuzzers` target. scripts/run-fuzz does both and runs each fuzzer.
option(ZENTOR_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(ZENTOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZENTOR_FUZZ needs clang's libFuzzer: configure with "
                        "-DCMAKE_CXX_COMPILER=clang++ (found ${CMAKE_CXX_COMPILER_ID})")
  endif()
  add_custom_target(fuzzers)
endif()

# zentor_add_fuzzer(name SOURCES ... CORPUS folder-or-file ... [OPTIONS -flag=value ...])
# A libFuzzer executable from its entry point and the parser sources it
# exercises, all built with the fuzzer's coverage and the address and
# undefined-behaviour sanitizers, every finding fatal. CORPUS names the seed
# inputs (folders whose files are taken, or single files); OPTIONS are
# libFuzzer flags of its own (input length, memory, dictionary). The
# fuzzer's manifest, fuzzers/<name>.fuzzer in the build directory, lists its
# executable, then its seeds and flags (a flag starts with '-'), one a line,
# for scripts/run-fuzz.
# Does nothing unless ZENTOR_FUZZ is on.
function(zentor_add_fuzzer name)
  if(NOT ZENTOR_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;CORPUS;OPTIONS" ${ARGN})
  if(NOT ARG_SOURCES OR NOT ARG_CORPUS)
    message(FATAL_ERROR "zentor_add_fuzzer(${name}) needs SOURCES and CORPUS")
  endif()
  set(flags -fsanitize=fuzzer,address,undefined,float-cast-overflow,float-divide-by-zero
            -fno-sanitize-recover=all -fno-omit-frame-pointer)
  find_package(Threads REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${flags})
  target_link_options(${name} PRIVATE ${flags})
  zentor_warnings(${name})
  add_dependencies(fuzzers ${name})

  set(seeds)
  foreach(seed IN LISTS ARG_CORPUS)
    cmake_path(ABSOLUTE_PATH seed BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE)
    if(NOT EXISTS ${seed})
      message(FATAL_ERROR "zentor_add_fuzzer(${name}): no seed corpus at ${seed}")
    endif()
    list(APPEND seeds ${seed})
  endforeach()
  list(APPEND seeds ${ARG_OPTIONS})
  list(JOIN seeds "\n" seed_lines)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzzers/${name}.fuzzer
       CONTENT "$<TARGET_FILE:${name}>\n${seed_lines}\n")
endfunction()
