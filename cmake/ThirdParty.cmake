# GoogleTest and minizip for both toolchains, from Debian's packages only.

if(WIN32)
  # The mingw builds come from sources that tools/setup.sh put in place.
  set(ZLIB_SOURCE_DIR "${PROJECT_SOURCE_DIR}/build/deps/zlib" CACHE PATH "zlib source tree (minizip lives in contrib/minizip)")
  set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

  if(BUILD_TESTING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_link_options(gtest PUBLIC -static)
  endif()

  set(minizip_dir ${ZLIB_SOURCE_DIR}/contrib/minizip)
  if(NOT EXISTS ${minizip_dir}/unzip.c)
    message(FATAL_ERROR "minizip sources missing in ${minizip_dir}: run tools/setup.sh")
  endif()
  add_library(minizip STATIC
    ${minizip_dir}/unzip.c ${minizip_dir}/zip.c ${minizip_dir}/ioapi.c ${minizip_dir}/iowin32.c)
  target_include_directories(minizip SYSTEM PUBLIC ${minizip_dir})
  # Static zlib: a plain -lz would import zlib1.dll.
  target_link_libraries(minizip PUBLIC -l:libz.a)
  add_library(minizip::minizip ALIAS minizip)
else()
  if(BUILD_TESTING)
    find_package(GTest REQUIRED)
  endif()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  add_library(minizip::minizip ALIAS PkgConfig::MINIZIP)
endif()
