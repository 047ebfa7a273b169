// Start-up of the application and its endless loop of games.
#pragma once

// Runs the application on the installed display until it ends; returns the exit status.
int RunApplication();
