// Names every place and action picture and binds it to the routine that draws it.
#include "catalogue.h"

#include "scenes.h"

namespace pictures {

const std::vector<Place>& Places() {
  static const std::vector<Place> kPlaces = {
      {"ARCADE", DrawArcade, Weather::kOvercast, "Аркада: розовый торговый ряд с арками лавок, у витрин прохожие"},
      {"TOWNHALL", DrawTownHall, Weather::kRain, "Ратуша: часовая башня с флагом между двумя крыльями, у входа прохожий"},
      {"CATHEDRAL", DrawCathedral, Weather::kFog, "Собор: две башни и круглое витражное окно над дверью, на площади прохожий"},
      {"PARK", DrawPark, Weather::kFog, "Парк: беседка среди деревьев, пруд с лебедем, дорожка и скамейки"},
      {"STATION", DrawStation, Weather::kSnow, "Вокзал: здание с часами, у платформы паровоз с вагоном, пассажиры с чемоданами"},
      {"LIBRARY", DrawLibrary, Weather::kRain, "Библиотека: здание с колоннами и фронтоном, широкие ступени, прохожий у фонаря"},
      {"THEATRE", DrawTheatre, Weather::kOvercast, "Театр: розовый фасад с колоннами, афиши у дверей, зрители у входа"},
      {"HOTEL", DrawHotel, Weather::kRain, "Отель: высокое здание с красной вывеской, навес и ковровая дорожка у входа, двое у дверей"},
      {"POSTOFFICE", DrawPostOffice, Weather::kRain, "Почтамт: зелёное здание, велосипед у стены, красный почтовый ящик, прохожий у дверей"},
      {"BANK", DrawBank, Weather::kOvercast, "Банк: серый фасад с колоннами, за ними круглая дверь хранилища, прохожий на ступенях"},
      {"MUSEUM", DrawMuseum, Weather::kFog, "Музей: здание под зелёным куполом с красными знамёнами, рядом статуя на постаменте"},
      {"CAFE", DrawCafe, Weather::kRain, "Кафе: голубой дом, полосатая маркиза и столики на улице, прохожий у дверей"},
      {"SQUARE", DrawSquare, Weather::kSnow, "Площадь: фонтан среди пёстрых домов, трамвай и зелёный киоск"},
      {"TELEGRAPH", DrawTelegraph, Weather::kOvercast, "Телеграф: здание под мачтой с проводами, столбы вдоль улицы, двое прохожих"},
      {"FACTORY", DrawFactory, Weather::kOvercast, "Завод: кирпичный цех с тремя дымящими трубами, закрытые ворота, двое рабочих"},
      {"LIGHTHOUSE", DrawLighthouse, Weather::kFog, "Маяк: красно-белая башня и домик на скале в море, вдали корабль"},
      {"EMBANKMENT", DrawEmbankment, Weather::kRain, "Набережная: чугунная ограда у реки, пароход, мост и город на том берегу, прохожие"},
      {"FISHMARKET", DrawFishMarket, Weather::kOvercast, "Рыбный рынок: прилавки с рыбой под полосатыми навесами, бочки, торговец в фартуке"},
      {"WAREHOUSE", DrawWarehouse, Weather::kFog, "Склад: два кирпичных склада, бочки, ящики и тачка у ворот, прохожий"},
      {"PORT", DrawPort, Weather::kRain, "Порт: чёрный пароход у причала, портовые краны, на набережной сундук с замком"},
  };
  return kPlaces;
}

namespace {

// The light of each variant: morning sun, afternoon sun, the place's grey weather.
std::string Light(int variant, Weather weather) {
  if (variant == 1) return "солнечное утро";
  if (variant == 2) return "солнце после полудня";
  switch (weather) {
    case Weather::kRain: return "дождь";
    case Weather::kFog: return "туман";
    case Weather::kSnow: return "снегопад";
    default: return "пасмурный день";
  }
}

}  // namespace

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
      p.description = std::string(place.shows) + "; " + Light(variant, place.weather) + ".";
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
    std::vector<const char*> shows;
  };
  const Action actions[] = {
      {"LETTER", 3, DrawLetter,
       {"Руки вскрывают ножом конверт с красной сургучной печатью.",
        "Рука достаёт письмо из ящика стола среди бумаг и карандашей.",
        "Рука берёт с подоконника конверт с печатью, за окном крыши города."}},
      {"NOTE", 2, DrawNote,
       {"Рука пишет карандашом записку в блокноте на садовой скамейке.",
        "Записку прижимают к кирпичной стене и дописывают карандашом."}},
      {"CONTACT", 3, DrawContact,
       {"Двое в шляпах встречаются под аркой у двери.", "Двое в шляпах говорят у фонаря на улице.",
        "Двое в шляпах пожимают руки на мосту в тумане."}},
      {"CHEST", 2, DrawChest,
       {"Открытый сундук с бумагами, в замке ключ.",
        "Секретные бумаги: план, карта с крестиком, фотография и ключ."}},
      {"TORCH", 4, DrawTorch,
       {"Луч фонарика в темноте освещает ящики.", "Фонарик освещает дощатый пол с тёмной щелью.",
        "Фонарик в подвале: кирпичный свод с паутиной и бочки.",
        "Фонарик в тёмном переулке освещает решётку стока и урну."}}};
  for (const Action& a : actions) {
    for (int i = 1; i <= a.count; ++i) {
      Picture p;
      p.group = "Actions";
      p.folder = a.name;
      p.file = a.name + std::to_string(i) + ".jpg";
      p.description = a.shows.at(static_cast<std::size_t>(i - 1));
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
    // Every start downloads both before the first help page (a browser on a phone's network too):
    // at 80 they weigh a quarter less, with no difference to be seen in these flat colours.
    p.quality = 80;
    p.description = "Праздник у вокзала: флажки, шары и конфетти, толпа машет флагами.";
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
