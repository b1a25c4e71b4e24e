#include "settings/SettingsStore.h"

#include "game/GameState.h"

void loadSettings(GameState &g) {
    g.LineCount = 3;
    g.Range = 3;
    g.Time1 = 10;
    g.Time2 = 10000;
    g.Level = 2;
    g.Liniy_level = LevelTable::DefaultLiniyLevel;
    g.Range_level = LevelTable::DefaultRangeLevel;
    g.ProEnabled = 1;
    g.TimeEnabled = 1;
}

void saveSettings(const GameState &) {}
