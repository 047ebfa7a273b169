// Reads the twenty locations of the map file.
#include "game/world_state.h"
#include "scenario/data_reader.h"
#include "scenario/scenario.h"

std::string PictureStem(const std::string& field) {
  return field == "nofile" ? field : "data\\" + field + "\\" + field;
}

void LoadMap() {
  DataReader file(DataPath("data\\map_ru.txt"));
  // Exactly twenty entries are read; a short file leaves empty names.
  for (int n = 1; n <= kRooms; ++n) {
    file.Line();
    W.Room[n] = file.Line();
    W.RoomStem[n] = PictureStem(file.Field());
  }
}
