# The release: one zip of what the operator copies into the game's folder, made by CPack from the
# Windows build (cmake --build --preset windows --target package). Only the "release" component
# goes in: the stand-in server and the tests never do.
if(NOT WIN32)
  return()
endif()

set(release_dir ${CMAKE_BINARY_DIR}/release)
# Readmes for Notepad: CR LF line ends, the version filled in.
foreach(readme README.txt LISEZMOI.txt)
  configure_file(${PROJECT_SOURCE_DIR}/release/${readme} ${release_dir}/${readme} @ONLY NEWLINE_STYLE CRLF)
endforeach()

# The program goes in stripped. The library keeps its debug information: its call-stack capture
# reads names and lines from it.
install(TARGETS srvsetup RUNTIME DESTINATION . COMPONENT release)
if(TARGET memcore)
  install(PROGRAMS $<TARGET_FILE:memcore> DESTINATION . COMPONENT release)
endif()
# The checked build, for the server's developers: renamed, it replaces memcore.dll.
if(TARGET memcore_checked)
  install(PROGRAMS $<TARGET_FILE:memcore_checked> DESTINATION debug RENAME memcore.dll
          COMPONENT release)
endif()
install(FILES ${release_dir}/README.txt ${release_dir}/LISEZMOI.txt DESTINATION . COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME dedicated-server-tools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME dedicated-server-tools-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};release;/")
include(CPack)

if(BUILD_TESTING)
  # The zip holds exactly the deliverables and readmes, and each binary imports system DLLs only.
  add_test(NAME release.zip
    COMMAND ${PROJECT_SOURCE_DIR}/tools/check-release.sh ${CMAKE_BINARY_DIR}
            srvsetup.exe $<$<TARGET_EXISTS:memcore>:memcore.dll>
            $<$<TARGET_EXISTS:memcore_checked>:debug/memcore.dll> README.txt LISEZMOI.txt)
  set_tests_properties(release.zip PROPERTIES LABELS windows)
endif()
