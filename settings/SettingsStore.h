#pragma once

struct GameState;

// The per-user settings store: read once when the main window is created, written
// once when it is destroyed at the end of the run.
void loadSettings(GameState &g);
void saveSettings(const GameState &g);
