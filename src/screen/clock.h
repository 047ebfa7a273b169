// The clock box in the top right corner and the clearing of the text area.
#pragma once

// Shows minutes since midnight as HH:MM in the translucent box at (547, 4).
void DrawClock(int minutes);
// Restores rows 3 to 34 from the background page.
void ClearTextArea();
