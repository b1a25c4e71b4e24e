#include "settings/FormA.h"

#include "game/GameState.h"

FormA::FormA(GameState &state) : g(state) {}
