# Linux: the layout a distribution expects of a game, hardening, and the Debian package.
# The launcher goes to games/, the program to lib/games/skellarine/ with data/ beside it as a
# relative link to share/games/skellarine/, where the architecture-independent data lies.
include(GNUInstallDirs)

set(SKELLARINE_INSTALL_GAMESDIR games CACHE STRING "Launcher directory, relative to the prefix")
set(SKELLARINE_INSTALL_LIBDIR lib/games/skellarine CACHE STRING "Program directory, relative to the prefix")
set(SKELLARINE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/skellarine CACHE STRING
    "Data directory, relative to the prefix")

# The hardening of Debian's own builds, for what is shipped (sanitizer builds have their own). Each
# measure only where the builder's own flags (a distribution's CXXFLAGS, into which its build tools
# merge CPPFLAGS, and LDFLAGS) do not already choose it, so that theirs win and nothing is defined twice.
include(CheckPIESupported)
include(CheckCXXCompilerFlag)
check_pie_supported()
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
set(builder_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
set(builder_link_flags "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${build_type}}")
set(hardening_options)
if(NOT builder_flags MATCHES "-f(no-)?stack-protector")
  list(APPEND hardening_options -fstack-protector-strong)
endif()
foreach(flag stack-clash-protection cf-protection)
  string(MAKE_C_IDENTIFIER "SKELLARINE_HAS_${flag}" supported)
  check_cxx_compiler_flag(-f${flag} ${supported})
  if(${supported} AND NOT builder_flags MATCHES "-f(no-)?${flag}")
    list(APPEND hardening_options -f${flag})
  endif()
endforeach()
foreach(target skellarine skellarine_core)
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_compile_options(${target} PRIVATE ${hardening_options})
  if(NOT SKELLARINE_SANITIZE AND NOT builder_flags MATCHES "_FORTIFY_SOURCE")
    # _FORTIFY_SOURCE needs an optimising build.
    target_compile_definitions(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endif()
endforeach()
foreach(option relro now)
  if(NOT builder_link_flags MATCHES "-z[, ]?${option}")
    target_link_options(skellarine PRIVATE -Wl,-z,${option})
  endif()
endforeach()

# The man page names the paths of the package, whose prefix is /usr.
set(PACKAGE_PREFIX /usr)
set(GAME_LAUNCHER ${PACKAGE_PREFIX}/${SKELLARINE_INSTALL_GAMESDIR}/skellarine)
set(GAME_BINARY ${PACKAGE_PREFIX}/${SKELLARINE_INSTALL_LIBDIR}/skellarine)
set(GAME_DATA_DIR ${PACKAGE_PREFIX}/${SKELLARINE_INSTALL_DATADIR})
set(GAME_DOC_DIR ${PACKAGE_PREFIX}/${CMAKE_INSTALL_DOCDIR})
file(RELATIVE_PATH LAUNCHER_TO_GAME /${SKELLARINE_INSTALL_GAMESDIR} /${SKELLARINE_INSTALL_LIBDIR}/skellarine)
file(RELATIVE_PATH GAME_TO_DATA /${SKELLARINE_INSTALL_LIBDIR} /${SKELLARINE_INSTALL_DATADIR})

set(LINUX_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)
set(LINUX_OUT ${CMAKE_BINARY_DIR}/packaging)
set(METAINFO_ID invalid.quintrel.skellarine)
set(PACKAGE_CONTACT "Quintrel developers <dev@quintrel.invalid>")
# NEWS holds the release date and upstream's history; the Debian changelog and the metainfo's
# releases are made from it.
include(${PROJECT_SOURCE_DIR}/cmake/news.cmake)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/NEWS)
skellarine_news(${PROJECT_SOURCE_DIR}/NEWS ${PROJECT_VERSION} "${PACKAGE_CONTACT}" ${LINUX_OUT}/changelog)
set(RELEASE_DATE ${NEWS_RELEASE_DATE})
set(METAINFO_RELEASES "${NEWS_METAINFO_RELEASES}")
configure_file(${LINUX_DIR}/skellarine.sh ${LINUX_OUT}/skellarine @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
               GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(${LINUX_DIR}/skellarine.6 ${LINUX_OUT}/skellarine.6 @ONLY)
configure_file(${LINUX_DIR}/skellarine.metainfo.xml ${LINUX_OUT}/${METAINFO_ID}.metainfo.xml @ONLY)
file(CREATE_LINK ${GAME_TO_DATA} ${LINUX_OUT}/data SYMBOLIC)

# Debian wants man pages and changelogs compressed to the maximum, without a time stamp.
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${LINUX_OUT}/skellarine.6.gz ${LINUX_OUT}/changelog.gz
  COMMAND ${GZIP} -9nkf ${LINUX_OUT}/skellarine.6 ${LINUX_OUT}/changelog
  DEPENDS ${LINUX_OUT}/skellarine.6 ${LINUX_OUT}/changelog
  COMMENT "Compressing the man page and the changelog")
add_custom_target(linux_docs ALL DEPENDS ${LINUX_OUT}/skellarine.6.gz ${LINUX_OUT}/changelog.gz)

install(PROGRAMS ${LINUX_OUT}/skellarine DESTINATION ${SKELLARINE_INSTALL_GAMESDIR})
install(TARGETS skellarine RUNTIME DESTINATION ${SKELLARINE_INSTALL_LIBDIR})
install(FILES ${LINUX_OUT}/data DESTINATION ${SKELLARINE_INSTALL_LIBDIR})
install(DIRECTORY ${DATA_DIR}/ DESTINATION ${SKELLARINE_INSTALL_DATADIR} PATTERN pictures.stamp EXCLUDE)
install(FILES ${LINUX_DIR}/skellarine.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${LINUX_OUT}/${METAINFO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}/skellarine.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${LINUX_OUT}/skellarine.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${LINUX_DIR}/copyright ${LINUX_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME skellarine)
set(CPACK_PACKAGE_VENDOR "Quintrel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "espionage adventure in Russian in a port city")
# The extended description; cpack puts the summary before it as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quintrel - Skellarine is a single-player espionage adventure in Russian for
one 640 x 480 window. You are an agent in a port city of twenty locations:
read the letter that gives the password, leave a note that fixes a meeting,
find the numbered key, open the chest in the port, hand the case to the
agent and reach the station before the last train leaves, while an enemy
spy watches you. Commands are picked from a list with the mouse.")
set(CPACK_PACKAGE_CONTACT "${PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${PACKAGE_PREFIX})
set(CPACK_GENERATOR DEB)
include(CPack)
