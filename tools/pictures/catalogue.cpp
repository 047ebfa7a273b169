// Names every place and action picture and binds it to the routine that draws it.
#include "catalogue.h"

#include "scenes.h"

namespace pictures {

const std::vector<Place>& Places() {
  static const std::vector<Place> kPlaces = {
      {"ARCADE", DrawArcade, Weather::kOvercast},     {"TOWNHALL", DrawTownHall, Weather::kRain},
      {"CATHEDRAL", DrawCathedral, Weather::kFog},    {"PARK", DrawPark, Weather::kFog},
      {"STATION", DrawStation, Weather::kSnow},       {"LIBRARY", DrawLibrary, Weather::kRain},
      {"THEATRE", DrawTheatre, Weather::kOvercast},   {"HOTEL", DrawHotel, Weather::kRain},
      {"POSTOFFICE", DrawPostOffice, Weather::kRain}, {"BANK", DrawBank, Weather::kOvercast},
      {"MUSEUM", DrawMuseum, Weather::kFog},          {"CAFE", DrawCafe, Weather::kRain},
      {"SQUARE", DrawSquare, Weather::kSnow},         {"TELEGRAPH", DrawTelegraph, Weather::kOvercast},
      {"FACTORY", DrawFactory, Weather::kOvercast},   {"LIGHTHOUSE", DrawLighthouse, Weather::kFog},
      {"EMBANKMENT", DrawEmbankment, Weather::kRain}, {"FISHMARKET", DrawFishMarket, Weather::kOvercast},
      {"WAREHOUSE", DrawWarehouse, Weather::kFog},    {"PORT", DrawPort, Weather::kRain},
  };
  return kPlaces;
}

std::vector<Picture> Catalogue() {
  std::vector<Picture> list;
  for (const Place& place : Places()) {
    for (int variant = 1; variant <= 3; ++variant) {
      Mood mood;
      // Any variant may be shown at any hour of a game: morning sun, afternoon sun, a grey day.
      mood.time = variant == 2 ? Time::kAfternoon : Time::kDay;
      if (variant == 3) mood.weather = place.weather;
      Picture p;
      p.group = "Places";
      p.folder = place.name;
      p.file = place.name + std::to_string(variant) + ".jpg";
      const auto draw = place.draw;
      const std::string name = place.name;
      p.draw = [draw, mood, name, variant](cairo_t* cr, const SignFont* font) {
        Scene scene(cr, mood, HashName(name), variant, font);
        scene.otherPassersBy = variant == 2;
        draw(scene);
      };
      list.push_back(std::move(p));
    }
  }
  struct Action {
    const char* name;
    int count;
    void (*draw)(cairo_t*, int, const SignFont*);
  };
  const Action actions[] = {{"LETTER", 3, DrawLetter},
                            {"NOTE", 2, DrawNote},
                            {"CONTACT", 3, DrawContact},
                            {"CHEST", 2, DrawChest},
                            {"TORCH", 4, DrawTorch}};
  for (const Action& a : actions) {
    for (int i = 1; i <= a.count; ++i) {
      Picture p;
      p.group = "Actions";
      p.folder = a.name;
      p.file = a.name + std::to_string(i) + ".jpg";
      const auto draw = a.draw;
      p.draw = [draw, i](cairo_t* cr, const SignFont* font) { draw(cr, i, font); };
      list.push_back(std::move(p));
    }
  }
  for (int i = 1; i <= 2; ++i) {
    Picture p;
    p.group = "Victory";
    p.folder = "!win";
    p.file = "!win" + std::to_string(i) + ".jpg";
    p.draw = [i](cairo_t* cr, const SignFont* font) { DrawWin(cr, i, font); };
    list.push_back(std::move(p));
  }
  Picture fly;
  fly.group = "Victory";
  fly.folder = "!win";
  fly.file = "fly.jpg";
  fly.quality = 95;
  fly.fullChroma = true;
  fly.draw = [](cairo_t* cr, const SignFont*) { DrawFlySheet(cr); };
  list.push_back(std::move(fly));
  return list;
}

}  // namespace pictures
