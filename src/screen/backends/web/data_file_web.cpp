// Data files in a browser: the small ones are preloaded; any other is a file of the site, fetched
// the first time it is opened while the game waits (Asyncify turns the wait into a return to the
// browser). The page decides what a file that cannot be fetched is: missing when the site does
// not have it; when the network is down it says so and keeps trying, so the wait may be long.
#include "scenario/data_file.h"

#include <emscripten.h>

namespace {

// 1 once the file is in memory at its path, 0 when the site has no such file.
EM_ASYNC_JS(int, FetchSiteFile, (const char* path), {
  // The path is absolute and normal; the site's file is named relative to the page.
  const name = UTF8ToString(path);
  const bytes = await Module.fetchSiteFile(name.substring(1));
  if (!bytes) return 0;
  FS.mkdirTree(name.substring(0, name.lastIndexOf('/')));
  FS.writeFile(name, bytes);
  return 1;
});

}  // namespace

std::optional<std::string> ReadDataFile(const std::filesystem::path& path) {
  // A turn for the browser before each file: start-up reads and decodes several, and in one go
  // it would hold the page for many frames.
  emscripten_sleep(0);
  if (auto bytes = ReadLocalFile(path)) return bytes;
  const std::string name = path.lexically_normal().generic_string();
  if (name.empty() || name.front() != '/' || !FetchSiteFile(name.c_str())) return std::nullopt;
  return ReadLocalFile(path);
}
