#pragma once

#include "game/ScoreBar.h"
#include "settings/LevelTable.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>

// The game's state: one instance lives for the whole run and every part of the
// game reads and writes it directly from the user-interface thread. Arrays are
// indexed from 1; element 0 is unused.

enum Phase : int32_t { PhaseShowing = 0, PhaseAnswering = 1, PhaseIdle = 2 };

// Four parallel arrays of grid coordinates, slots 1..100. A slot whose four values
// are 0 is empty.
struct LineTable {
    static constexpr int Slots = 100;
    std::array<int32_t, Slots + 1> X1{}, Y1{}, X2{}, Y2{};

    void clear() { *this = LineTable{}; }
    bool isEmpty(int slot) const { return X1[slot] == 0 && Y1[slot] == 0 && X2[slot] == 0 && Y2[slot] == 0; }
    // Both end points set: a line that is still being entered has only its start.
    bool isComplete(int slot) const {
        return X1[slot] != 0 && Y1[slot] != 0 && X2[slot] != 0 && Y2[slot] != 0;
    }
};

// Sample points of a decomposed line table: entry n is (A[n], B[n]); (0, 0) is empty.
struct Trace {
    static constexpr int Capacity = 10000;
    static constexpr int Kept = 1000; // entries that scoring compares
    std::array<int32_t, Capacity + 1> A{}, B{};
};

struct GameState {
    // Settings
    int32_t Time1 = 0; // showing time, seconds
    int32_t Time2 = 0; // answer time, seconds
    uint8_t TimeEnabled = 0;
    uint8_t ProEnabled = 0;
    QString Liniy_level; // stored level table: the Range row
    QString Range_level; // stored level table: the LineCount row
    LevelTable levels;   // the level table's cells, shown by the settings dialog

    // Level and grid
    int32_t Level = 0;
    int32_t Range = 0;
    int32_t LineCount = 0;
    int32_t CellW = 0;
    int32_t CellH = 0;

    // Lines and their decompositions
    LineTable TaskLines;
    LineTable DrawnLines;
    int32_t DrawnIndex = 0;
    Trace TraceWork;
    int32_t TraceCount = 0; // next free entry of TraceWork
    Trace TaskTrace;
    Trace DrawnTrace;

    // Flow of a task
    int32_t Phase = PhaseIdle;
    int32_t SecondsLeft = 0;
    uint8_t LineInProgress = 0;
    uint8_t FirstClick = 0;
    int32_t RubberX = 0;
    int32_t RubberY = 0;

    QString AppDir; // the executable's folder, ending with a separator

    ScoreBar Pro1; // success
    ScoreBar Pro2; // reserve

    // Both bars' common maximum for the current task size. Hand-edited settings can ask
    // for more than 32 bits hold; such a maximum is cut to the largest there is.
    int32_t barMaximum() const {
        const int64_t cells = int64_t{LineCount} * Range;
        return int32_t(std::clamp<int64_t>(cells, INT32_MIN / 25, INT32_MAX / 25) * 25);
    }
};
