// Every picture of the game, grouped by the source file that draws it.
#pragma once

#include <cairo.h>

#include <vector>

#include "paint.h"

namespace pictures {

// One place of the city: its folder name, how to draw it, the weather of its third variant, and
// what every variant shows (UTF-8); the time of day or the weather is added to it.
struct Place {
  const char* name;
  void (*draw)(Scene&);
  Weather weather;
  const char* shows;
};

// The twenty places in city order.
const std::vector<Place>& Places();

// Civic centre (scenes_centre.cpp).
void DrawArcade(Scene& s);
void DrawTownHall(Scene& s);
void DrawCathedral(Scene& s);
void DrawPark(Scene& s);
void DrawLibrary(Scene& s);
void DrawTheatre(Scene& s);
void DrawHotel(Scene& s);

// Streets and offices (scenes_streets.cpp).
void DrawStation(Scene& s);
void DrawPostOffice(Scene& s);
void DrawBank(Scene& s);
void DrawMuseum(Scene& s);
void DrawCafe(Scene& s);
void DrawSquare(Scene& s);
void DrawTelegraph(Scene& s);

// Docks and industry (scenes_harbour.cpp).
void DrawFactory(Scene& s);
void DrawLighthouse(Scene& s);
void DrawEmbankment(Scene& s);
void DrawFishMarket(Scene& s);
void DrawWarehouse(Scene& s);
void DrawPort(Scene& s);

// Close-ups of actions (scenes_action.cpp); index counts from 1.
void DrawLetter(cairo_t* cr, int index, const SignFont* font);
void DrawNote(cairo_t* cr, int index, const SignFont* font);
void DrawContact(cairo_t* cr, int index, const SignFont* font);
void DrawChest(cairo_t* cr, int index, const SignFont* font);
void DrawTorch(cairo_t* cr, int index, const SignFont* font);

// Victory (scenes_win.cpp): the station decked out for the win by day, and the sheet of fly frames.
void DrawWin(cairo_t* cr, int index, const SignFont* font);
void DrawFlySheet(cairo_t* cr);

}  // namespace pictures
