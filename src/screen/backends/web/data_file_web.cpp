// Data files in a browser: the small ones are preloaded; any other is a file of the site, fetched
// the first time it is opened while the game waits (Asyncify turns the wait into a return to the
// browser). The page decides what a file that cannot be fetched is: missing when the site does
// not have it; when the network is down it says so and keeps trying, so the wait may be long.
#include "scenario/data_file.h"

#include <emscripten.h>

#include <cstdio>
#include <memory>

#include "screen/backends/sdl/sdl_system.h"

namespace {

// A file of the in-memory file system, whole. Through C stdio: a C++ file stream would link the
// whole of the C++ locale library, a fifth of the wasm file.
std::optional<std::string> ReadMemoryFile(const std::string& name) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name.c_str(), "rb"), std::fclose);
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  return bytes;
}

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
  sdl_system::LetBrowserRun();
  const std::string name = path.lexically_normal().generic_string();
  if (auto bytes = ReadMemoryFile(name)) return bytes;
  if (name.empty() || name.front() != '/' || !FetchSiteFile(name.c_str())) return std::nullopt;
  return ReadMemoryFile(name);
}
