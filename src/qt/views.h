// The windows on screen, one view each. Every view mirrors its model and takes what the player
// does to the model's handlers along the one road of its base (qt/view.h); none holds game
// rules.
#pragma once

#include "qt/about_view.h"
#include "qt/black_view.h"
#include "qt/closeup_view.h"
#include "qt/game_view.h"
#include "qt/intro_view.h"
#include "qt/inventory_view.h"
#include "qt/saved_games_view.h"
#include "qt/widgets.h"
