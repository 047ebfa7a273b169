# Windows: one statically linked skellarine.exe with its icon, manifest and version information,
# data\ beside it; a portable zip and an NSIS installer made by CPack. Included from the top level.

set(SKELLARINE_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})
enable_language(RC)

# main() is the program's own entry (the SDL backend tells SDL so); nothing renames it to SDL_main.
target_compile_definitions(skellarine PRIVATE SDL_MAIN_HANDLED)
# No DLL to forget: the C and C++ runtimes, winpthread, SDL2 and libjpeg all go into the .exe,
# without symbols and without the link time in the header (a rebuild gives the same bytes).
target_link_options(skellarine PRIVATE -static -mwindows -s -Wl,--no-insert-timestamp)
if(TARGET skellarine-script)
  target_link_options(skellarine-script PRIVATE -static -s -Wl,--no-insert-timestamp)
endif()

# The icon: the native build's 256 x 256 picture at the sizes Windows shows.
find_program(SKELLARINE_CONVERT convert REQUIRED)
set(SKELLARINE_ICO ${CMAKE_BINARY_DIR}/skellarine.ico)
add_custom_command(
  OUTPUT ${SKELLARINE_ICO}
  COMMAND ${SKELLARINE_CONVERT} ${SKELLARINE_HOST_BUILD}/skellarine.png -define icon:auto-resize=256,48,32,16
          ${SKELLARINE_ICO}
  DEPENDS ${SKELLARINE_HOST_BUILD}/skellarine.png
  COMMENT "Icon skellarine.ico")
add_custom_target(windows_icon DEPENDS ${SKELLARINE_ICO})

set(SKELLARINE_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
set(SKELLARINE_FILE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0")
set(SKELLARINE_MANIFEST ${CMAKE_BINARY_DIR}/skellarine.exe.manifest)
configure_file(${SKELLARINE_WINDOWS_DIR}/skellarine.exe.manifest ${SKELLARINE_MANIFEST} @ONLY)
configure_file(${SKELLARINE_WINDOWS_DIR}/skellarine.rc.in ${CMAKE_BINARY_DIR}/skellarine.rc @ONLY)
target_sources(skellarine PRIVATE ${CMAKE_BINARY_DIR}/skellarine.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/skellarine.rc PROPERTIES
  OBJECT_DEPENDS "${SKELLARINE_ICO};${SKELLARINE_MANIFEST}")
add_dependencies(skellarine windows_icon)

# The flat layout a player unpacks or installs: skellarine.exe and data\ side by side.
install(TARGETS skellarine RUNTIME DESTINATION .)
install(DIRECTORY ${DATA_DIR}/ DESTINATION data PATTERN pictures.stamp EXCLUDE)
# The game's licence travels with it (the font's is in data\).
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_PACKAGE_NAME skellarine)
set(CPACK_PACKAGE_VENDOR "Quintrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quintrel - Skellarine, an espionage adventure in Russian")
set(CPACK_PACKAGE_FILE_NAME skellarine-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quintrel - Skellarine")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Quintrel Skellarine")
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_NSIS_PACKAGE_NAME "Quintrel - Skellarine")
set(CPACK_NSIS_DISPLAY_NAME "Quintrel - Skellarine")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${SKELLARINE_ICO})
set(CPACK_PRE_BUILD_SCRIPTS ${SKELLARINE_WINDOWS_DIR}/staged_files.cmake)
# The installer script of our own (NSIS.template.in here) instead of CPack's.
list(PREPEND CMAKE_MODULE_PATH ${SKELLARINE_WINDOWS_DIR})
include(CPack)
