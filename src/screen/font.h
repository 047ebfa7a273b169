// The game's bitmap font: the code-page table and the font sheet on page 3.
#pragma once

// Reads data/ansi2866.set into GlyphCode and draws data/egarus.bmp onto the font sheet.
void LoadFont();
