#pragma once

#include <QString>

struct GameState;

// The per-user settings store: read once when the main window is created, written
// once when it is destroyed at the end of the run. It is the file Orv/Tessarin.conf in
// the user's configuration folder (settings/StorePlace.h). Every value is stored as text.

// Missing or malformed values silently take their defaults, and so does a store that
// is not a regular file.
void loadSettings(GameState &g);

// What the player is told at the start when the store would not take the run's values at
// the end, naming the place and the reason; an empty text when it would. Nothing is
// written to find out.
QString unsavableStoreWarning();

// Raises a GameError naming the store's location and the reason when the values
// could not be written, so that lost progress never goes unnoticed.
void saveSettings(const GameState &g);
