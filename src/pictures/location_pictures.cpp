// Chooses, decodes and draws the picture of a location or an action, and counts the pictures seen.
#include "pictures/location_pictures.h"

#include "game/world_state.h"
#include "pictures/jpeg_decode.h"

namespace {

// Clears the visible and background pages and prints the plain-text notice on both.
void ShowNoPicture(const std::string& text) {
  Display& d = Screen();
  for (int page = 0; page <= 1; ++page) {
    d.SetPages(page, 0);
    d.ClearWorkPage();
    d.Locate(1, 1);
    d.Print(text, true);
  }
}

void ShowPicture(const std::string& stem, char variant) {
  const std::string name = stem + variant + ".jpg";
  CountPicture(name);
  DecodeJpeg(DataPath(name));
  Display& d = Screen();
  for (int page = 0; page <= 1; ++page) {
    d.SetPages(page, 0);
    PutImage(d.WorkPage(), 0, 0, W.PicImage, PutMode::kCopy);
  }
}

void EnsurePicImage() {
  if (!W.PicImage.Exists()) W.PicImage = Image(kScreenW, kScreenH, 0);
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
  EnsurePicImage();
  char variant = '1';
  if (W.Waited != 0) {
    variant = static_cast<char>(RandInt(2) + 49);
    W.Waited = 0;
  }
  ShowPicture(stem, variant);
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
  EnsurePicImage();
  const char variant = static_cast<char>(RandInt(count) + 48);
  W.ActionPic.clear();
  ShowPicture(stem, variant);
}

void CountPicture(const std::string& name) {
  for (int i = 1; i <= W.PicsOpened && i <= kMaxOpened; ++i) {
    if (W.OpenedPic[i] == name) return;
  }
  // Past the table's 100 names the count goes on without storing the name.
  W.PicsOpened = W.PicsOpened + 1;
  if (W.PicsOpened <= kMaxOpened) W.OpenedPic[W.PicsOpened] = name;
}
