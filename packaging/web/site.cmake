# Run by the web build (cmake -P), in one of two modes:
#   -DMODE=preload -DDATA=<data dir> -DOUT=<dir>: the files that start-up reads, for the preloaded
#     package: the data folder's own files and the win animation's pictures; every other picture
#     is a file of the site, fetched when the game first opens it.
#   -DMODE=site -DDATA=<data dir> -DSITE=<site dir>: finishes the site: the fetched pictures,
#     poster in the page, compressed copies of the large files, and the page and service worker told the
#     build's hash, sizes and files. Needs -DCONVERT=<ImageMagick's convert>.
cmake_minimum_required(VERSION 3.22)

function(is_startup_file relative out)
  if(relative MATCHES "^!win/" OR NOT relative MATCHES "/")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE data_files LIST_DIRECTORIES false RELATIVE ${DATA} ${DATA}/*)
list(FILTER data_files EXCLUDE REGEX "\\.stamp$")
list(SORT data_files)

if(MODE STREQUAL "preload")
  file(REMOVE_RECURSE ${OUT})
  foreach(f IN LISTS data_files)
    is_startup_file(${f} startup)
    if(startup)
      get_filename_component(dir ${OUT}/${f} DIRECTORY)
      file(COPY ${DATA}/${f} DESTINATION ${dir})
    endif()
  endforeach()
  return()
endif()

set(pictures)
foreach(f IN LISTS data_files)
  is_startup_file(${f} startup)
  if(NOT startup)
    get_filename_component(dir ${SITE}/data/${f} DIRECTORY)
    file(COPY ${DATA}/${f} DESTINATION ${dir})
    list(APPEND pictures data/${f})
  endif()
endforeach()

# The loading box's poster: one of the game's own pictures, small enough to come first. It is
# written into the page itself, so that it shows with the page's first paint instead of sharing
# the network with the game's files; base64 in lines, which a URL may hold.
set(poster ${SITE}/../poster.jpg)
execute_process(COMMAND ${CONVERT} ${DATA}/PORT/PORT1.jpg -resize 480x360 -strip -quality 70 ${poster}
  RESULT_VARIABLE failed)
file(SIZE ${poster} poster_size)
if(failed OR poster_size GREATER 30720)
  message(FATAL_ERROR "the poster was not made, or is over 30 kB")
endif()
execute_process(COMMAND base64 -w 76 ${poster} OUTPUT_VARIABLE poster_text RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "base64 of the poster failed")
endif()
string(STRIP "${poster_text}" poster_text)

# A static server sends these as they are; the page unpacks the copies itself where it can.
# skellarine.js is imported as a module, which a browser cannot unpack on the way.
set(packed skellarine.wasm skellarine.data)
foreach(f IN LISTS packed)
  execute_process(COMMAND gzip -9 -n -k -f ${SITE}/${f} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${f} failed")
  endif()
endforeach()

# The build's name: a hash of every file as published, the page's and the worker's templates included.
file(GLOB_RECURSE site_files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(SORT site_files)
set(listing "")
set(sums)
foreach(f IN LISTS site_files)
  file(SHA256 ${SITE}/${f} sum)
  string(APPEND listing "${sum} ${f}\n")
  string(SUBSTRING ${sum} 0 16 sum)
  list(APPEND sums ${sum})
endforeach()
string(SHA256 build "${listing}")
string(SUBSTRING ${build} 0 16 build)

set(sizes "")
foreach(f IN LISTS packed)
  file(SIZE ${SITE}/${f} plain)
  file(SIZE ${SITE}/${f}.gz gz)
  string(APPEND sizes "\"${f}\": ${plain}, \"${f}.gz\": ${gz},\n")
endforeach()
string(REGEX REPLACE ",\n$" "" sizes "${sizes}")
list(TRANSFORM pictures REPLACE "(.+)" "\"\\1\"")
list(JOIN pictures ",\n" picture_list)
# Each file with the hash of its contents (the page's: the build's, as the build is written into it),
# so that a new build's worker takes over the files it shares with the old one from the old cache.
set(entries)
foreach(f sum IN ZIP_LISTS site_files sums)
  if(f STREQUAL "index.html")
    set(sum ${build})
  endif()
  list(APPEND entries "[\"${f}\", \"${sum}\"]")
endforeach()
list(JOIN entries ",\n" file_list)

foreach(f index.html sw.js)
  file(READ ${SITE}/${f} text)
  string(REPLACE "@BUILD@" "${build}" text "${text}")
  string(REPLACE "@SIZES@" "${sizes}" text "${text}")
  string(REPLACE "@PICTURES@" "${picture_list}" text "${text}")
  string(REPLACE "@POSTER@" "data:image/jpeg;base64,\n${poster_text}" text "${text}")
  # In a comment in the worker, so that its template is JavaScript too (for the linter).
  string(REPLACE "/* @FILES@ */" "\n${file_list}\n" text "${text}")
  string(REPLACE "@FILES@" "${file_list}" text "${text}")
  file(WRITE ${SITE}/${f} "${text}")
endforeach()
message(STATUS "Web build ${build}: ${SITE}")
