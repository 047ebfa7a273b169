# The web build: the game compiled by Emscripten into one folder of static files (site/), the
# scripted runner for Node with every scenario script as a test, and the turn benchmark.
# Included from the top-level CMakeLists.txt before the libraries are looked up.

# Emscripten's toolchain finds libraries only below its root paths. Its sysroot has an SDL2
# package of its own that asks for the SDL2 port (a download): ours must be found first.
list(PREPEND CMAKE_FIND_ROOT_PATH ${SKELLARINE_THIRDPARTY})
set(SDL2_DIR ${SKELLARINE_THIRDPARTY}/lib/cmake/SDL2 CACHE PATH "SDL2 built for the web" FORCE)

# The game ends by throwing AppExit to main; Emscripten leaves exceptions off unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=48MB)

set(SKELLARINE_WEB_DIR ${CMAKE_CURRENT_LIST_DIR})
# The page itself lives with the web backend.
set(SKELLARINE_PAGE_DIR ${CMAKE_SOURCE_DIR}/src/screen/backends/web/page)

# Called at the end of the top-level directory, once the targets exist.
function(skellarine_web_targets)
  # The game polls and sleeps as on the desktop; Asyncify turns each sleep into a return to the browser.
  # Only what start-up reads is preloaded; the pictures are files of the site, which the game's
  # own file reading (the web backend's data_file_web.cpp) fetches when it opens them.
  set(preload ${CMAKE_BINARY_DIR}/preload/data)
  # The packager is handed the files one by one in name order (preload_list.cmake): given the
  # folder, it packs them in the file system's order, which differs between two builds.
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/preload.stamp ${CMAKE_BINARY_DIR}/preload.rsp
    COMMAND ${CMAKE_COMMAND} -DMODE=preload -DDATA=${DATA_DIR} -DOUT=${preload} -P ${SKELLARINE_WEB_DIR}/site.cmake
    COMMAND ${CMAKE_COMMAND} -DDATA=${preload} -DOUT=${CMAKE_BINARY_DIR}/preload.rsp
            -P ${SKELLARINE_WEB_DIR}/preload_list.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/preload.stamp
    DEPENDS game_data ${SKELLARINE_HOST_BUILD}/data/pictures.stamp ${SKELLARINE_WEB_DIR}/site.cmake
            ${SKELLARINE_WEB_DIR}/preload_list.cmake
    COMMENT "Choosing the data files to preload")
  add_custom_target(preload_data DEPENDS ${CMAKE_BINARY_DIR}/preload.stamp)
  add_dependencies(skellarine preload_data)
  # An ES module that the page imports as a file (a strict content policy runs no script from
  # memory) and hands its settings: the wasm it compiled while downloading, the data package, the
  # saved journal. allocateUTF8OnStack carries a typed answer to the game's answer export.
  target_link_options(skellarine PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sEXIT_RUNTIME=1 -sENVIRONMENT=web
    -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createSkellarine -sEXPORTED_RUNTIME_METHODS=ccall,allocateUTF8OnStack
    @${CMAKE_BINARY_DIR}/preload.rsp)
  # Asyncify instruments every function that may be on the stack when the game sleeps, and any call
  # through a function pointer counts as one that may. libjpeg never sleeps; SDL sleeps only in its
  # delay, its wait for an event and when it presents (the browser draws the frame meanwhile). The
  # rest of both is left as it is: a tenth of the wasm file.
  set(sleepers SDL_Delay SDL_WaitEvent SDL_WaitEventTimeout SDL_WaitEventTimeout_Device SDL_RenderPresent
      SDL_RenderSimulateVSync SW_RenderPresent SDL_UpdateWindowSurface SDL_UpdateWindowSurfaceRects
      Emscripten_UpdateWindowFramebuffer)
  set(functions)
  foreach(library libjpeg.a libSDL2.a)
    execute_process(COMMAND ${CMAKE_NM} --defined-only ${SKELLARINE_THIRDPARTY}/lib/${library}
                    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed ERROR_QUIET)
    string(REGEX MATCHALL "[0-9a-f]+ [Tt] [A-Za-z_0-9]+" found "${symbols}")
    list(LENGTH found count)
    if(failed OR count LESS 100)
      message(FATAL_ERROR "the functions of ${library} were not listed")
    endif()
    list(APPEND functions ${found})
  endforeach()
  list(TRANSFORM functions REPLACE "^[0-9a-f]+ [Tt] " "")
  list(REMOVE_DUPLICATES functions)
  # As patterns: a static function whose name another file uses too gets a suffix in the wasm, and
  # Asyncify warns about every plain name that the link has dropped as unused. No pattern may
  # match a function that sleeps.
  set(patterns)
  foreach(f IN LISTS functions)
    set(plain TRUE)
    foreach(sleeper IN LISTS sleepers)
      string(FIND "${sleeper}" "${f}" at)
      if(at EQUAL 0)
        set(plain FALSE)
      endif()
    endforeach()
    if(plain)
      list(APPEND patterns "${f}*")
    endif()
  endforeach()
  list(JOIN patterns "\",\"" joined)
  set(remove ${CMAKE_BINARY_DIR}/asyncify_remove.json)
  file(WRITE ${remove}.new "[\"${joined}\"]\n")
  file(COPY_FILE ${remove}.new ${remove} ONLY_IF_DIFFERENT)
  target_link_options(skellarine PRIVATE -sASYNCIFY_REMOVE=@${remove})
  set_property(TARGET skellarine APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/preload.stamp ${remove})

  # The loading box's poster is made from one of the pictures (site.cmake).
  find_program(SKELLARINE_CONVERT convert)
  if(NOT SKELLARINE_CONVERT)
    message(FATAL_ERROR "ImageMagick's convert is needed for the web site (apt-get install imagemagick)")
  endif()

  # Emscripten's own minifier keeps the loader's local names (closure is not packaged); terser
  # shortens them, for a third less to download.
  find_program(SKELLARINE_TERSER terser)
  if(NOT SKELLARINE_TERSER)
    message(FATAL_ERROR "terser is needed for the web site (apt-get install terser)")
  endif()

  # site/: only the files to publish.
  set(site ${CMAKE_BINARY_DIR}/site)
  set(page_files index.html page.css page.js load.js fit.js touch.js waits.js resume.js words.js sw.js manifest.webmanifest)
  set(page_sources)
  foreach(f IN LISTS page_files)
    list(APPEND page_sources ${SKELLARINE_PAGE_DIR}/${f})
  endforeach()
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/site.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${site}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
    COMMAND ${CMAKE_COMMAND} -E copy ${page_sources} ${site}/
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:skellarine> $<TARGET_FILE_DIR:skellarine>/skellarine.wasm
            $<TARGET_FILE_DIR:skellarine>/skellarine.data ${site}/
    COMMAND ${CMAKE_COMMAND} -DLOADER=${site}/skellarine.js -DDATA=${site}/skellarine.data
            -P ${SKELLARINE_WEB_DIR}/package_id.cmake
    COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs ${SKELLARINE_TERSER} ${site}/skellarine.js
            --module --compress --mangle --output ${site}/skellarine.js
    # The tab's icon at the size a tab shows: the first visit downloads it.
    COMMAND ${CMAKE_COMMAND} -E copy ${SKELLARINE_HOST_BUILD}/icons/48/skellarine.png ${site}/icon.png
    COMMAND ${CMAKE_COMMAND} -E copy ${SKELLARINE_HOST_BUILD}/icons/192/skellarine.png ${site}/icon-192.png
    COMMAND ${CMAKE_COMMAND} -E copy ${SKELLARINE_HOST_BUILD}/icons/512/skellarine.png ${site}/icon-512.png
    COMMAND ${CMAKE_COMMAND} -E copy ${SKELLARINE_HOST_BUILD}/icons/maskable/skellarine.png ${site}/icon-maskable.png
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/fonts/OFL-1.1.txt ${site}/FONT-LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${site}/LICENSE.txt
    # The pictures, the compressed copies, and the build's hash, sizes and files in the page and the worker.
    COMMAND ${CMAKE_COMMAND} -DMODE=site -DDATA=${DATA_DIR} -DSITE=${site} -DCONVERT=${SKELLARINE_CONVERT}
            -P ${SKELLARINE_WEB_DIR}/site.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/site.stamp
    DEPENDS skellarine ${page_sources} ${SKELLARINE_WEB_DIR}/site.cmake ${SKELLARINE_WEB_DIR}/package_id.cmake
            ${CMAKE_BINARY_DIR}/preload.stamp
    COMMENT "Assembling the web site in ${site}")
  add_custom_target(site ALL DEPENDS ${CMAKE_BINARY_DIR}/site.stamp)

  if(TARGET skellarine-script)
    # Node reads the host's files directly; the runner's data comes from the native build.
    # Node 18 and later have a fetch() that Emscripten 3.1.6 would take for its own loader; a
    # synchronous start reads the wasm file instead.
    target_link_options(skellarine-script PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1
      -sWASM_ASYNC_COMPILATION=0)
    file(GLOB_RECURSE scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/scripts/*.script)
    list(FILTER scripts EXCLUDE REGEX "/tests/scripts/steps/")
    foreach(script IN LISTS scripts)
      file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR}/tests/scripts ${script})
      string(REPLACE ".script" "" name ${name})
      # The native build folder holds data/ and fixtures/, as the scripts expect.
      add_test(NAME web-script/${name} COMMAND skellarine-script ${script} ${SKELLARINE_HOST_BUILD}
               WORKING_DIRECTORY ${SKELLARINE_HOST_BUILD})
      set_tests_properties(web-script/${name} PROPERTIES TIMEOUT 120)
    endforeach()
  endif()

  # The turn of BM_Turn under Node (bench/web.sh); built on demand.
  add_executable(web_turn_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/web_turn_bench.cpp
                 ${CMAKE_SOURCE_DIR}/bench/turn_work.cpp)
  target_link_libraries(web_turn_bench PRIVATE skellarine_headless)
  target_link_options(web_turn_bench PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sEXIT_RUNTIME=1
    -sWASM_ASYNC_COMPILATION=0)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL skellarine_web_targets)
