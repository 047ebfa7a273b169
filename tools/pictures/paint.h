// Drawing toolkit shared by every picture: colours, lighting per time of day, and pieces of scenery.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "rng.h"

namespace pictures {

class SignFont;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
// From this row down the game writes text bands over the picture, so it must stay calm.
constexpr double kCalmTop = 384;

// A colour with components in 0..1.
struct Rgb {
  double r = 0, g = 0, b = 0;
};

// Base colours of building materials, shared so the whole city keeps one palette.
namespace material {
inline constexpr Rgb kStone{0.87, 0.82, 0.71};
inline constexpr Rgb kSandstone{0.83, 0.69, 0.5};
inline constexpr Rgb kOchre{0.86, 0.7, 0.44};
inline constexpr Rgb kBrick{0.6, 0.3, 0.22};
inline constexpr Rgb kGranite{0.6, 0.6, 0.62};
inline constexpr Rgb kSlate{0.3, 0.33, 0.4};
inline constexpr Rgb kCopper{0.36, 0.6, 0.52};
inline constexpr Rgb kGold{0.88, 0.7, 0.3};
inline constexpr Rgb kPink{0.88, 0.73, 0.68};
inline constexpr Rgb kWood{0.45, 0.3, 0.18};
inline constexpr Rgb kIron{0.17, 0.18, 0.2};
inline constexpr Rgb kPaving{0.58, 0.56, 0.53};
}  // namespace material

// A colour from 0xRRGGBB.
Rgb Hex(std::uint32_t v);
// Linear blend: t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
// Every component multiplied by k.
Rgb Mul(Rgb a, double k);
// Sets the cairo source to a colour with alpha.
void Source(cairo_t* cr, Rgb c, double alpha = 1.0);
// Adds a colour stop to a gradient.
void Stop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
// Makes the source a vertical gradient from top at y0 to bottom at y1 (the source keeps the pattern).
void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);

// A game is played between 9:00 and 16:00 and is won by the last train at the latest, so every
// picture is drawn by day.
enum class Time { kDay, kAfternoon };
enum class Weather { kClear, kRain, kFog, kSnow, kOvercast };

// Time of day and weather of one variant of a place.
struct Mood {
  Time time = Time::kDay;
  Weather weather = Weather::kClear;
};

// Style of one window opening.
struct WindowStyle {
  bool arched = false;
  int mullionCols = 2;  // panes across
  int mullionRows = 2;  // panes down
  bool shutters = false;
  bool sill = true;
  Rgb shutterColour{0.25, 0.4, 0.32};
};

// Everything a picture needs while it is drawn: the cairo context, the mood and two random streams.
class Scene {
 public:
  Scene(cairo_t* cr, Mood mood, std::uint64_t placeSeed, int variant, const SignFont* font);

  cairo_t* cr;
  Mood mood;
  Rng layout;  // identical in every variant of a place, for positions and sizes
  Rng extra;   // differs per variant, for clouds, fog wisps, raindrops, snowflakes
  const SignFont* font;
  std::uint64_t seed;
  int variant;            // 1 morning, 2 later in the day, 3 other weather
  bool otherPassersBy = false;  // people stand elsewhere and dress otherwise (a place later in the day)
  double groundY = 360;   // where the street meets the buildings, for the fog's densest band
  std::function<void(Scene&)> skyExtras;  // drawn right after the sky, behind everything else

  // Which light this variant shows: the clear morning, the clear afternoon or a grey day.
  bool IsDay() const { return mood.time == Time::kDay && mood.weather == Weather::kClear; }
  bool IsAfternoon() const { return mood.time == Time::kAfternoon && mood.weather == Weather::kClear; }
  bool IsGrey() const { return mood.weather != Weather::kClear; }
  // The painted hour of clocks: a time the game clock can show in this light.
  double ClockHour() const;
  // The colour of a surface under this variant's light; depth 0 is near, 1 is far (haze, fog).
  Rgb Lit(Rgb base, double depth = 0) const;
  // The colour distant things fade into.
  Rgb Haze() const;
};

// --- sky and ground ---
// Fills the whole picture with the sky of the variant (gradient, clouds, sun).
void Sky(Scene& s);
// A row of distant roofs, spires and chimneys across the picture, tops around topY, down to bottomY.
void DistantRoofs(Scene& s, double topY, double bottomY, double depth = 0.8);
// Street or quay surface from topY down; kept smooth in the text-band area.
void Pavement(Scene& s, double topY, Rgb base, bool cobbles = true);
// Open water from topY to bottomY with ripples and sky reflection.
void Water(Scene& s, double topY, double bottomY);
// A soft shadow cast on the ground by an object standing at (x, baseY) of the given size.
void GroundShadow(Scene& s, double x, double baseY, double width, double height);

// --- buildings ---
// A flat wall with light falling across it by time of day.
void Wall(Scene& s, double x, double y, double w, double h, Rgb base, double depth = 0);
// Brick courses drawn over a wall.
void Bricks(Scene& s, double x, double y, double w, double h, Rgb mortar, double depth = 0);
// A horizontal moulding with the shadow it throws.
void Cornice(Scene& s, double x, double y, double w, double h, Rgb base, double depth = 0);
// One window with frame, glass and panes.
void Window(Scene& s, double x, double y, double w, double h, const WindowStyle& style, double depth = 0);
// A grid of equal windows spread over a facade.
void WindowGrid(Scene& s, double x, double y, double w, double h, int cols, int rows, double winW, double winH,
                const WindowStyle& style, double depth = 0);
// A round column with capital and base.
void Column(Scene& s, double cx, double top, double bottom, double width, Rgb base, double depth = 0);
// A triangular pediment over [x, x+w] with its base at baseY.
void Pediment(Scene& s, double x, double baseY, double w, double h, Rgb base, double depth = 0);
// A hemispherical dome with ribs and a small lantern.
void Dome(Scene& s, double cx, double baseY, double rx, double ry, Rgb base, double depth = 0);
// A door (double leaves) with optional arched top.
void Door(Scene& s, double x, double y, double w, double h, Rgb base, bool arched);
// A pitched roof over [x, x+w] rising h above y.
void Roof(Scene& s, double x, double y, double w, double h, Rgb base, double depth = 0);
// A row of steps from y down to y+h, widening.
void Steps(Scene& s, double x, double y, double w, double h, int count, Rgb base);
// Adds an arch-topped rectangle to the current path.
void ArchPath(cairo_t* cr, double x, double y, double w, double h);

// --- street furniture and people ---
// A cast-iron lamp post.
void LampPost(Scene& s, double x, double baseY, double height);
// A lamp hanging from a bracket or chain at (x, y).
void HangingLamp(Scene& s, double x, double y, double size);
// A person in coat and hat seen from the front or back, feet at (x, baseY).
void Person(Scene& s, double x, double baseY, double height, Rgb coat, bool hat = true, double lean = 0);
// A leafy tree, trunk foot at (x, baseY).
void Tree(Scene& s, double x, double baseY, double height, double width);
// Rising smoke puffs from (x, y) drifting right.
void Smoke(Scene& s, double x, double y, double size, int puffs);
// A bench seen from the front.
void Bench(Scene& s, double x, double baseY, double w);

// --- details ---
// A clock face whose hands show the variant's hour.
void ClockFace(Scene& s, double cx, double cy, double r);
// A two-band flag on a pole, waving to the right.
void Flag(Scene& s, double poleX, double topY, double poleLen, double w, double h, Rgb a, Rgb b);
// Adds an ellipse to the current path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// --- signs ---
// A sign lettered in the game font centred at (cx, cy).
void SignText(Scene& s, std::string_view utf8, double cx, double cy, int scale, Rgb ink);
// A sign board with lettering centred at (cx, cy).
void SignBoard(Scene& s, std::string_view utf8, double cx, double cy, int scale, Rgb board, Rgb ink);

// --- finishing ---
// Weather overlay (fog, snow, rain streaks) and a soft vignette.
void Finish(Scene& s);

}  // namespace pictures
