// The handlers of the command words; each reports back through Spent, Msg and ActionPic.
#pragma once

#include <string>

// ДВИГАТЬСЯ: pick a location and travel there.
void MoveCommand();
// Sets Spent to the travel time from the remembered grid cell to DestRoom's cell, and moves the cell.
void TravelTime();
// ЗАПИСКА: leave the note that fixes the meeting's place and time.
void NoteCommand();
// ЖДАТЬ: let 5 to 60 minutes pass.
void WaitCommand();
// ГОВОРИТЬ: say a code word to whoever is here.
void SpeakCommand();
// ШПИОНИТЬ: follow the enemy spy.
void ShadowCommand();
// ЧИТАТЬ: read the letter.
void ReadCommand();
// ИСКАТЬ: search this location for the key.
void SearchCommand();
// ИССЛЕДОВАТЬ: examine what the player carries.
void ExamineCommand();
// ОТКРЫТЬ: open the chest at the port with the key's number.
void OpenCommand();
// ХИТРИТЬ: switch the debug display.
void DebugToggle();
// A choice that is no command word.
void FallbackCommand();
// ФИНИШ: ask, and end the application on an answer that begins with Y.
void FinishCommand();
// Writes the empty row 31, the question on row 32 and the empty row 34 of a dialogue.
void AskOnRows(const std::string& question);
