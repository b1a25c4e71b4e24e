#pragma once

struct GameState;

// The per-user settings store: read once when the main window is created, written
// once when it is destroyed at the end of the run. It lives under organisation "Orv",
// application "Tessarin": the registry key HKEY_CURRENT_USER\Software\Orv\Tessarin on
// Windows, the file Orv/Tessarin.conf in the user's configuration folder elsewhere
// (~/.config or $XDG_CONFIG_HOME on Linux). Every value is stored as text.

// Missing or malformed values silently take their defaults.
void loadSettings(GameState &g);

// Raises a GameError naming the store's location and the reason when the values
// could not be written, so that lost progress never goes unnoticed.
void saveSettings(const GameState &g);
