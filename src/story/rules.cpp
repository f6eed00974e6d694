// The rule book: what Do and Use achieve in each room. Each block tries its tests in order;
// the first that applies gives the rule code the action shows.
#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"

namespace lnf {

// The cabin: Kitty brought home, the sword, the book, and the brew in the kettle.
void TGame::Case1(int o, int8_t& r) {
    int8_t* progress = GameState.Progress;
    int8_t* state = GameState.ObjState;
    int held = GameState.HeldItem;
    if (held == kKitty) {
        if (o != kWoman) {
            r = kRuleNotApplicable;
            return;
        }
        // Bringing Kitty counts only when the final meeting has run to its end.
        if (!MeetThem(1)) {
            r = kRuleOwnMessage;
            return;
        }
        Score(4);
        app.Tag = 2;
        ShowFinalScore();
        Close();
        r = kRuleOwnMessage;
        return;
    }
    if (o == kRhymeBook) {
        state[kMushrooms] = 1;  // the book tells about the mushrooms
        r = kRuleOwnMessage;
        return;
    }
    if (o == kWoman) {
        if (held != kNoItem || progress[SwordGiven] != 0 || progress[MainStage] < kBrewComplete) {
            r = kRuleNotApplicable;
            return;
        }
        MeetThem(2);
        Display(kSword, true);
        progress[SwordGiven] = 1;
        r = kSaySwordGiven;
        return;
    }
    // The kettle.
    if (held != kNoItem && progress[MainStage] < kClarifyingFormulaTold) {
        r = kSayNoFormulaYet;
        return;
    }
    if (held == kWhisker) {
        progress[WhiskerStage] = kInKettle;
        Display(kWhisker, false);
        Score(2);
        r = kSayWhiskerInKettle;
        return;
    }
    if (held == kWing) {
        progress[WingStage] = kInKettle;
        Display(kWing, false);
        Score(2);
        r = kSayWingInKettle;
        return;
    }
    if (held == kHarp) {
        if (progress[WhiskerStage] == kInKettle && progress[WingStage] == kInKettle) {
            if (progress[HarpStage] == kHarpOfTheWindsLearned) Score(2);
            progress[HarpStage] = kHarpPlayedAtKettle;
        }
        r = kSayHarpPlayed;
        return;
    }
    if (held != kNoItem) {
        r = kSayNotForKettle;
        return;
    }
    if (progress[WhiskerStage] < kInKettle || progress[WingStage] < kInKettle ||
        progress[HarpStage] < kHarpPlayedAtKettle) {
        Cauldron(false);
        r = kRuleOwnMessage;
        return;
    }
    if (progress[SwordGiven] == 0) {
        progress[MainStage] = kBrewComplete;
        state[kRhymeBook] = 1;  // the book becomes readable
    }
    Cauldron(true);
    r = kRuleOwnMessage;
}

// The flower garden: the harp's song, the rose, the sunflowers, the kitten and the King.
void TGame::Case4(int o, int8_t& r) {
    int8_t* progress = GameState.Progress;
    int8_t* state = GameState.ObjState;
    int held = GameState.HeldItem;
    if (held == kHarp) {
        if (progress[AlpacaStage] == kSunSongLearned) {
            r = kSaySunSongKnown;
            return;
        }
        if (progress[AlpacaStage] == kTransformingFormulaTold) {
            if (!MeetThem(4)) {
                r = kRuleOwnMessage;
                return;
            }
            progress[AlpacaStage] = kSunSongLearned;
            r = kSaySunSongLearned;
            return;
        }
    }
    if (held != kNoItem) {
        r = kRuleNotApplicable;
        return;
    }
    if (o == kRose) {
        if (state[kRose] != 0) {
            state[kRose] = 2;  // she has given her petal
            Display(kRosePetal, true);
            r = kRuleNotApplicable;
            return;
        }
        if (!MeetThem(5)) {
            r = kRuleOwnMessage;
            return;
        }
        state[kRose] = 1;
        state[kLeaves] = 1;
        r = kSayRoseTold;
        return;
    }
    if (o == kSunflowers) {
        if (state[kWhiteQueen] != 0 || progress[ChessPieces] != 0 || progress[KingFound] != 0) {
            r = kSaySunflowersSilent;
            return;
        }
        if (!MeetThem(6)) {
            r = kRuleOwnMessage;
            return;
        }
        state[kLeaves] = 2;
        r = kSaySunflowersTold;
        return;
    }
    // The leaves.
    if (progress[KittenFound] != 0) {
        if (progress[KingFound] != 0) {
            r = kSayKingAlreadyFound;
            return;
        }
        Display(kWhiteKing, true);
        progress[KingFound] = 1;
        if (progress[HorseTransformed] != 0) state[kWhiteQueen] = 1;
        r = MeetThem(7) ? kSayKingFound : kRuleOwnMessage;
        return;
    }
    if (state[kSunflowers] != 0) {
        r = kRuleNotApplicable;
        return;
    }
    state[kSunflowers] = 1;
    state[kLeaves] = 1;
    Display(kKitten, true);
    progress[KittenFound] = 1;
    if (progress[KingFound] != 0 && progress[HorseTransformed] != 0) state[kWhiteQueen] = 1;
    r = kRuleSuccess;
}

// The balcony: the kitten, the King and the Knight go down onto the chessboard.
void TGame::Case11(int o, int8_t& r) {
    int8_t* progress = GameState.Progress;
    int8_t* state = GameState.ObjState;
    int held = GameState.HeldItem;
    auto place = [&](int piece, int object) {
        Display(piece, false);
        progress[ChessPieces] = int8_t(progress[ChessPieces] + 1);
        state[object] = 1;
        if (progress[ChessPieces] == kAllPiecesPlaced) state[kWhiteQueen] = 2;  // she is pleased
    };
    if (o == kBlueSquare) {
        if (held == kKitten) r = kSayKittenWontJump;
        else if (held != kBrownKnight) r = kSayNotForBlueSquare;
        else {
            place(kBrownKnight, kBlueSquare);
            r = kRuleSuccess;
        }
        return;
    }
    if (o == kGreenSquare) {
        if (held == kKitten) r = kSayKittenWontJump;
        else if (held != kWhiteKing) r = kSayNotForGreenSquare;
        else {
            place(kWhiteKing, kGreenSquare);
            r = kRuleSuccess;
        }
        return;
    }
    if (o == kRailing && held != kKitten) {
        r = kRuleNotApplicable;
        return;
    }
    place(kKitten, kRailing);
    MeetThem(12);
    r = kSayKittenOnBoard;
}

// The frog doorman's door: ten knocks and his questions give the claw; the cheese frees Kitty.
void TGame::Case18(int o, int8_t& r) {
    int8_t* progress = GameState.Progress;
    int8_t* state = GameState.ObjState;
    int held = GameState.HeldItem;
    if (progress[ClawTaken] != 0) {
        if (held != kCheese) r = kRuleNotApplicable;
        else if (progress[CheeseStage] < kCheeseWrappedInLeaf) r = kSayCheeseWontHelpKitty;
        else if (!MeetThem(13)) r = kRuleOwnMessage;
        else {
            Display(kKitty, true);
            Display(kCheese, false);
            r = kRuleOwnMessage;
        }
        return;
    }
    if (held != kNoItem) {
        r = kRuleNotApplicable;
        return;
    }
    if (progress[KnockCount] < kKnocksToBeHeard) {
        r = kSayNoAnswerAtDoor;
        return;
    }
    UpDateScreen(kFrogDoor, 1);
    if (!Puzzle(6)) {
        r = kRuleOwnMessage;
        return;
    }
    progress[ClawTaken] = 1;
    Score(4);
    state[o] = 1;
    Display(kClaw, true);
    r = kSayClawTaken;
}

// The White Queen's path: her questions open the way north; three pieces earn the ticket.
void TGame::Case19(int8_t& r) {
    int8_t* progress = GameState.Progress;
    int8_t* state = GameState.ObjState;
    int held = GameState.HeldItem;
    if (state[kWhiteQueen] == 0 || held != kNoItem) {
        r = kRuleNotApplicable;
        return;
    }
    if (progress[ChessPieces] == kAllPiecesPlaced) {
        Display(kTicket, true);
        progress[ChessPieces] = kTicketTaken;
        state[kWhiteQueen] = 0;  // lost in thought again
        GameState.ExitNorth[kQueenPath] = 0;
        SetArrows();
        r = kSayTicketGiven;
        return;
    }
    if (GameState.ExitNorth[kQueenPath] != 0) {
        r = kSayQueenLetsPass;
        return;
    }
    if (!Puzzle(3)) {
        r = kRuleOwnMessage;
        return;
    }
    Score(3);
    GameState.ExitNorth[kQueenPath] = kStairToBalcony;
    SetArrows();
    r = kSayQueenLetsPass;
}

int8_t TGame::GridCondition(int o) {
    int8_t* progress = GameState.Progress;
    int8_t* state = GameState.ObjState;
    Tag = 0;
    int held = GameState.HeldItem;
    int8_t r = kRuleNone;
    switch (GameState.Room) {
        case kCabin: Case1(o, r); break;
        case kHumptyWall:
            // Humpty Dumpy: the note gives the egg white; the horse hair, his questions.
            if (held == kNote) {
                if (progress[EggWhiteStage] != 0) r = kSayHumptySawNote;
                else if (!MeetThem(3)) r = kRuleOwnMessage;
                else {
                    Display(kEggWhite, true);
                    progress[EggWhiteStage] = kEggWhiteReceived;
                    r = kSayEggWhiteGiven;
                }
            } else if (progress[AlpacaStage] >= kHairGiven || held != kHorseHair) {
                r = kRuleNotApplicable;
            } else if (!Puzzle(2)) {
                r = kRuleOwnMessage;
            } else {
                Score(2);
                state[o] = 1;
                progress[AlpacaStage] = kHairGiven;
                r = kSayHumptyDone;
            }
            break;
        case kFlowerGarden: Case4(o, r); break;
        case kHorseRoad:
            // The horse: a hair from its body; the rose petal with egg white transforms it.
            if (held == kNoItem) {
                if (o == kHorseBody) {
                    state[kHorseBody] = 1;
                    Display(kHorseHair, true);
                }
                r = kRuleNotApplicable;
            } else if (held != kRosePetal || progress[EggWhiteStage] < kEggWhiteOnPetal ||
                       progress[AlpacaStage] < kSunSongLearned || progress[HorseTransformed] != 0) {
                r = kRuleNotApplicable;
            } else {
                state[kRoadSide] = 1;
                state[kHorseHead] = 1;
                state[kHorseBody] = 2;
                state[kRoadFar] = 1;
                Transforms();
                if (progress[KittenFound] != 0 && progress[KingFound] != 0) state[kWhiteQueen] = 1;
                Display(kBrownKnight, true);
                progress[HorseTransformed] = 1;
                r = kRuleOwnMessage;
            }
            break;
        case kGoatEngine:
            // The goat: the ticket buys the ride, once the woman has given the sword.
            if (GameState.ExitNorth[kGoatEngine] != 0) {
                text1.Caption = "If you want to ride, just go east.  The goat has nothing more to say.";
                r = held != kNoItem ? kRuleOwnMessage : kRuleNotApplicable;
            } else if (held != kTicket) {
                MeetThem(10);
                r = kSayGoatWantsTicket;
            } else if (progress[SwordGiven] == 0) {
                app.CloseUp->Meets(9);
                r = kRuleOwnMessage;
            } else if (!MeetThem(8)) {
                r = kRuleOwnMessage;
            } else {
                GameState.ExitNorth[kGoatEngine] = kToveBurrow;
                SetArrows();
                r = kRuleOwnMessage;
            }
            break;
        case kForestAlcove:
            // The harp is taken.
            state[kHarpByTree] = 1;
            Display(kHarp, true);
            progress[HarpStage] = kHarpFound;
            r = kRuleSuccess;
            break;
        case kSingingTrees:
            // The singing trees: their tune first, then the Harp of the Winds.
            if (state[kBranches] == 0) {
                if (held != kNoItem) {
                    r = kRuleNotApplicable;
                } else {
                    Score(2);
                    state[kBranches] = 1;
                    state[kTrees] = 1;
                    Playit("music\\flute.wma");
                    r = kRuleNotApplicable;
                }
            } else if (held != kHarp) {
                r = kRuleNotApplicable;
            } else if (progress[HarpStage] > kHarpFound) {
                r = kSayHarpAlreadyLearned;
            } else {
                state[kTrees] = 2;
                state[kBranches] = 2;
                progress[HarpStage] = kHarpOfTheWindsLearned;
                LastTuneKey = 0;  // the tune plays again
                Playit("music\\flute.wma");
                Score(2);
                r = kSayHarpOfTheWinds;
            }
            break;
        case kBalcony: Case11(o, r); break;
        case kHillPath: r = kRuleSuccess; break;  // no table row leads here
        case kFawnWood:
            // The fawn's wood: the stick; the harp's song takes the fawn to the singing trees.
            if (o == kStickOnGround) {
                if (progress[StickTaken] != 0) {
                    r = kRuleNotApplicable;
                } else {
                    state[kStickOnGround] = 1;
                    Display(kStick, true);
                    progress[StickTaken] = 1;
                    r = kRuleSuccess;
                }
            } else if (held != kHarp || progress[FawnMet] != 0) {
                r = kRuleNotApplicable;
            } else {
                MeetThem(0);  // at its end the meeting moves the player to the singing trees
                if (GameState.Room != kSingingTrees) {
                    r = kRuleOwnMessage;
                } else {
                    progress[FawnMet] = 1;
                    GameState.ExitEast[kFawnWood] = kSingingTrees;
                    state[kWood] = 1;
                    state[kFawn] = 1;
                    state[kFawnRest] = 1;
                    text1.Caption = MemoLine(0);
                    app.processMessages();
                    SetArrows();
                    r = kRuleOwnMessage;
                }
            }
            break;
        case kJubjubTree:
            // The jubjub bird flies off with the claw; its nest gives the thread.
            if (o == kJubjubBird) {
                if (held != kClaw || state[kJubjubBird] != 0) {
                    r = kRuleNotApplicable;
                } else {
                    state[kJubjubBird] = 1;
                    state[kNest] = 1;
                    GameState.ExitNorth[kJubjubTree] = kGardenBehindCabin;
                    progress[BirdStage] = kJubjubFlown;
                    PlayClip(PlayerId::MP);
                    app.platform.playSound("music\\jubjub.wav");
                    r = kRuleSuccess;
                }
            } else {
                Display(kThread, true);
                state[kNest] = 2;
                r = kRuleOwnMessage;
            }
            break;
        case kAlpacaParlour:
            // The alpaca: her two formulas, each in its turn.
            if (progress[AlpacaStage] == kHairGiven) {
                if (!MeetThem(14)) r = kRuleOwnMessage;
                else {
                    progress[AlpacaStage] = kTransformingFormulaTold;
                    r = kSayTransformingFormula;
                }
            } else if (progress[AlpacaStage] == kHorseGone && progress[MainStage] == kKettleSeen) {
                app.CloseUp->Meets(15);
                if ((Tag & 0xFF) == 0) r = kRuleOwnMessage;
                else {
                    progress[MainStage] = kClarifyingFormulaTold;
                    r = kSayClarifyingFormula;
                }
            } else if (!MeetThem(16)) {
                r = kRuleOwnMessage;
            } else {
                r = progress[AlpacaStage] == kSunSongLearned ? kSayUseFormulaFirst : kSayAlpacaDone;
            }
            break;
        case kFrogDoor: Case18(o, r); break;
        case kQueenPath: Case19(r); break;
        case kGardenBehindCabin:
            // The corn is picked.
            state[o] = 1;
            Display(kCorn, true);
            r = kRuleNotApplicable;
            break;
        case kStream:
            // The stream: the clump's bottle and note, water in the bottle, the cat-fish.
            if (o == kGrassyClump) {
                Display(kBottle, true);
                Display(kNote, true);
                state[kGrassyClump] = int8_t(state[kGrassyClump] + 1);
                r = kRuleNotApplicable;
            } else if (held == kBottle) {
                if (o != kWater) r = kRuleNotApplicable;
                else if (progress[BottleStage] != kBottleEmpty) r = kSayBottleFull;
                else {
                    state[kWater] = 1;
                    progress[BottleStage] = kBottleFilled;
                    r = kRuleSuccess;
                }
            } else if (held == kFishingRod) {
                bool jumpedBefore = progress[CatfishStage] > kFishJumped;
                Catfish();
                r = jumpedBefore ? kSayFishJumpsForFun : kRuleOwnMessage;
            } else {
                r = kRuleNotApplicable;
            }
            break;
        case kMolassesPool:
            // The molasses pool: water from the bottle and the dragonfly's questions free it.
            if (held != kBottle || progress[BottleStage] < kBottleFilled || state[kPoolFirst] != 0) {
                r = kRuleNotApplicable;
            } else if (!Puzzle(4)) {
                r = kRuleOwnMessage;
            } else {
                Score(4);
                progress[DragonflyFreed] = 1;
                for (int n = kPoolFirst; n <= kPoolLast; ++n) state[n] = 1;
                Display(kWing, true);
                r = kSayDragonflyFreed;
            }
            break;
        case kToveBurrow:
            // The tove answers for cheese.
            if (held != kCheese) r = kRuleNotApplicable;
            else if (progress[ToveFed] != 0) r = kSayToveHasCheese;
            else if (!Puzzle(1)) r = kRuleOwnMessage;
            else {
                Score(2);
                progress[ToveFed] = 1;
                r = kSayToveTold;
            }
            break;
        case kMushroomRing:
            // The mushrooms: one nibble, and never again.
            if (progress[MainStage] >= kMushroomEaten) {
                r = kSayLeaveMushrooms;
            } else {
                Big();
                r = kSayMushroomEaten;
            }
            break;
        case kAncientTree:
            // The ancient tree speaks once the Jabberwock has been answered.
            if (progress[MainStage] < kJabberwockAnswered) {
                r = kRuleNotApplicable;
            } else if (MP3.Tag != 0) {
                r = kRuleOwnMessage;  // its clip is still playing
            } else {
                bool again = progress[MainStage] == kTreeSeen;
                Tree();
                r = again ? kSayTreeRepeats : kSayTreeCallsHome;
            }
            break;
        case kRathsHollow:
            // The mome raths take the corn and open the way to the Jabberwock.
            if (held != kCorn || state[o] != 0) {
                r = kRuleNotApplicable;
            } else {
                state[kMomeRaths] = 1;
                state[kRathsTrough] = 1;
                progress[RathsFed] = 1;
                GameState.ExitEast[kRathsHollow] = kJabberwockCanyon;
                SetArrows();
                r = kRuleSuccess;
            }
            break;
        case kJabberwockCanyon:
            // The Jabberwock answers the sword's bearer with questions.
            if (progress[MainStage] < kMushroomEaten || held != kSword) r = kRuleNotApplicable;
            else if (state[kCheeseMountain] != 0) r = kSayJabberwockDone;
            else if (!Puzzle(0)) r = kRuleOwnMessage;
            else {
                Score(2);
                progress[MainStage] = kJabberwockAnswered;
                state[kCheeseMountain] = 1;
                r = kSayJabberwockTold;
            }
            break;
        case kGoldenMountain:
            // The golden mountain gives cheese to the sword; the borogove gives the leaf.
            if (o == kCheeseMountain) {
                if (held != kSword) r = kRuleOwnMessage;
                else if (progress[CheeseStage] != 0) r = kSayCheesePlenty;
                else if (state[kCheeseMountain] == 0) r = kSayCheeseEaten;
                else {
                    progress[CheeseStage] = kCheeseCut;
                    Display(kCheese, true);
                    r = kSayCheeseCut;
                }
            } else if (progress[ToveFed] == 0 || progress[BirdStage] > kJubjubFlown) {
                r = kRuleNotApplicable;
            } else if (!Puzzle(5)) {
                r = kRuleOwnMessage;
            } else {
                progress[BirdStage] = kLeafReceived;
                Score(2);
                Display(kLeaf, true);
                r = kSayLeafFromBorogove;
            }
            break;
        default: r = kRuleNone; break;
    }
    return r;
}

}  // namespace lnf
