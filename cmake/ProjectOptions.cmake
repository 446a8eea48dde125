# Compile and link settings shared by every target of our own.
# Third-party code (GoogleTest, minizip) does not get them.

if(WIN32)
  # Tests run through a wrapper that keeps a private Wine prefix in the build folder.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tools/wine-run;${CMAKE_BINARY_DIR}/wineprefix")
endif()

add_library(project_options INTERFACE)
target_compile_options(project_options INTERFACE -Wall -Wextra -Werror)
option(SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (native only)" OFF)
if(SANITIZE AND NOT WIN32)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # Every target of the build, third-party code included.
  add_compile_options(${sanitizers})
  add_link_options(${sanitizers})
endif()

option(FUZZ "Build the libFuzzer targets (native, clang)" OFF)
if(FUZZ AND NOT WIN32)
  # Coverage and sanitizers for the code under test; the fuzzer's own main() comes at link time.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Import system DLLs only: the C++ runtime and winpthreads are linked in.
  target_link_options(project_options INTERFACE -static)
  target_compile_definitions(project_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# Registers a GoogleTest executable; under Wine its cases are listed when CTest runs,
# so building needs no Wine. PROPERTIES go onto every case (a fixture, an environment).
include(GoogleTest)
function(add_project_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} project_options GTest::gtest GTest::gtest_main)
  add_import_check(${target})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "$<IF:$<BOOL:${WIN32}>,windows,native>" ${ARG_PROPERTIES})
endfunction()

# On Windows, a test that the binary imports system DLLs only (no zlib1.dll, no libstdc++ DLL).
function(add_import_check target)
  if(WIN32)
    add_test(NAME imports.${target}
      COMMAND ${PROJECT_SOURCE_DIR}/tools/check-imports.sh $<TARGET_FILE:${target}>)
    set_tests_properties(imports.${target} PROPERTIES LABELS windows)
  endif()
endfunction()
