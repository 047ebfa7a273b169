# Emscripten's packager marks the .data file with a random identifier (a key for a browser cache
# the site does not use); the site's copy of the loader gets one made from the .data file itself,
# so that the same data gives the same loader.
# cmake -DLOADER=skellarine.js -DDATA=skellarine.data -P package_id.cmake
file(READ "${LOADER}" loader)
file(SHA256 "${DATA}" hash)
string(REGEX REPLACE "^(........)(....)(....)(....)(............).*$" "\\1-\\2-\\3-\\4-\\5" id "${hash}")
string(REGEX REPLACE "(\"package_uuid\": *\")[0-9a-f-]+\"" "\\1${id}\"" changed "${loader}")
if(NOT changed MATCHES "\"package_uuid\": *\"${id}\"")
  message(FATAL_ERROR "${LOADER} has no package_uuid to replace")
endif()
file(WRITE "${LOADER}" "${changed}")
