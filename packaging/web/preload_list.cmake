# Writes the response file that hands the data files to Emscripten's packager one by one in name
# order: given the folder, it would pack them in the order the file system lists them, and the
# .data file would differ between two builds of the same sources.
# cmake -DDATA=folder -DOUT=file.rsp -P preload_list.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${DATA}" "${DATA}/*")
list(FILTER files EXCLUDE REGEX "\\.stamp$")
list(SORT files)
set(text "")
foreach(name IN LISTS files)
  string(REPLACE "'" "'\\''" quoted "${DATA}/${name}@/data/${name}")
  string(APPEND text "--preload-file '${quoted}'\n")
endforeach()
set(old "")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
