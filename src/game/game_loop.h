// The endless loop of games with the question after each ending.
#pragma once

// Runs games one after another; returns only by ending the application.
[[noreturn]] void RunGames();
