// Chooses, decodes and draws the picture of a location or an action, and counts the pictures seen.
#include "pictures/location_pictures.h"

#include "game/world_state.h"
#include "pictures/jpeg_decode.h"
#include "scenario/data_file.h"

namespace {

// Clears the visible and background pages and prints the plain-text notice on both.
void ShowNoPicture(const std::string& text) {
  Display& d = Screen();
  d.Show(ScreenChange{ScreenChange::kPicture});
  for (int page = 0; page <= 1; ++page) {
    d.SetPages(page, 0);
    d.ClearWorkPage();
    d.Locate(1, 1);
    d.Print(text, true);
  }
}

void EnsurePicImage() {
  if (!W.PicImage.Exists()) W.PicImage = Image(kScreenW, kScreenH, 0);
}

// place is "" for an action's picture.
void ShowPicture(const std::string& stem, char variant, const std::string& place) {
  const std::string name = stem + variant + ".jpg";
  CountPicture(name);
  Display& d = Screen();
  ScreenChange change{ScreenChange::kPicture};
  change.picture.kind = place.empty() ? PictureKind::kAction : PictureKind::kLocation;
  change.picture.file = PictureFile(name);
  change.picture.place = place;
  const auto text = W.PictureText.find(change.picture.file);
  if (text != W.PictureText.end()) change.picture.text = text->second;
  d.Show(change);
  const std::filesystem::path path = DataPath(name);
  d.Draw(
      [&d] {
        for (int page = 0; page <= 1; ++page) PutImage(d.Page(page), 0, 0, W.PicImage, PutMode::kCopy);
      },
      [path] {
        EnsurePicImage();
        return DecodeJpeg(path);
      });
  d.SetPages(1, 0);
}

}  // namespace

void ShowRoomPicture(int n) {
  const std::string& stem = W.RoomStem[n];
  if (stem == "nofile") {
    // Numbers print with a leading blank, as the plain text prints them.
    ShowNoPicture("no picture " + std::to_string(n));
    W.Waited = 0;
    return;
  }
  char variant = '1';
  if (W.Waited != 0) {
    variant = static_cast<char>(RandInt(2) + 49);
    W.Waited = 0;
  }
  ShowPicture(stem, variant, W.Room[n]);
}

void ShowActionPicture() {
  std::string stem = "nofile";
  int count = 0;
  // No early exit: the last record with the key wins.
  for (int i = 1; i <= W.ActionCount; ++i) {
    if (W.ActionPic == W.ActionKey[i]) {
      stem = W.ActionStem[i];
      count = W.ActionPics[i];
    }
  }
  if (stem == "nofile") {
    ShowNoPicture("no picture");
    W.ActionPic.clear();
    return;
  }
  const char variant = static_cast<char>(RandInt(count) + 48);
  W.ActionPic.clear();
  ShowPicture(stem, variant, "");
}

void CountPicture(const std::string& name) {
  for (int i = 1; i <= W.PicsOpened && i <= kMaxOpened; ++i) {
    if (W.OpenedPic[i] == name) return;
  }
  // Past the table's 100 names the count goes on without storing the name.
  W.PicsOpened = W.PicsOpened + 1;
  if (W.PicsOpened <= kMaxOpened) W.OpenedPic[W.PicsOpened] = name;
}

std::string PictureFile(const std::string& name) {
  std::string file = name.rfind("data\\", 0) == 0 ? name.substr(5) : name;
  for (char& c : file) c = c == '\\' ? '/' : c;
  return file;
}

void LoadPictureTexts() {
  W.PictureText.clear();
  const std::optional<std::string> bytes = ReadDataFile(DataPath("data\\pictures.txt"));
  if (!bytes) return;
  std::size_t from = 0;
  while (from < bytes->size()) {
    std::size_t end = bytes->find('\n', from);
    if (end == std::string::npos) end = bytes->size();
    std::string line = bytes->substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto tab = line.find('\t');
    if (tab != std::string::npos) W.PictureText[line.substr(0, tab)] = line.substr(tab + 1);
  }
}
