// The rule book: what Do and Use achieve in each room. Each block tries its tests in order;
// the first that applies gives the rule code the action shows.
#include "app/lnf_game.h"
#include "conversation/lnf_closeup.h"

namespace lnf {

namespace {
#define P GameState.Progress
#define S GameState.ObjState
}  // namespace

void TGame::Case1(int o, int8_t& r) {
    int h = GameState.HeldItem;
    if (h == 21) {
        if (o != 1) {
            r = 3;
            return;
        }
        // Bringing Kitty counts only when the final meeting has run to its end.
        if (!MeetThem(1)) {
            r = -1;
            return;
        }
        Score(4);
        app.Tag = 2;
        Close();
        r = -1;
        return;
    }
    if (o == 8) {
        S[214] = 1;
        r = -1;
        return;
    }
    if (o == 1) {
        if (h != 0 || P[6] != 0 || P[7] < 4) {
            r = 3;
            return;
        }
        MeetThem(2);
        Display(13, true);
        P[6] = 1;
        r = 12;
        return;
    }
    if (h != 0 && P[7] < 3) {
        r = 29;
        return;
    }
    if (h == 19) {
        P[8] = 2;
        Display(19, false);
        Score(2);
        r = 41;
        return;
    }
    if (h == 6) {
        P[9] = 2;
        Display(6, false);
        Score(2);
        r = 40;
        return;
    }
    if (h == 7) {
        if (P[8] == 2 && P[9] == 2) {
            if (P[11] == 2) Score(2);
            P[11] = 3;
        }
        r = 39;
        return;
    }
    if (h != 0) {
        r = 33;
        return;
    }
    if (P[8] < 2 || P[9] < 2 || P[11] < 3) {
        Cauldron(false);
        r = -1;
        return;
    }
    if (P[6] == 0) {
        P[7] = 4;
        S[8] = 1;
    }
    Cauldron(true);
    r = -1;
}

void TGame::Case4(int o, int8_t& r) {
    int h = GameState.HeldItem;
    if (h == 7) {
        if (P[13] == 4) {
            r = 15;
            return;
        }
        if (P[13] == 3) {
            if (!MeetThem(4)) {
                r = -1;
                return;
            }
            P[13] = 4;
            r = 14;
            return;
        }
    }
    if (h != 0) {
        r = 3;
        return;
    }
    if (o == 26) {
        if (S[26] != 0) {
            S[26] = 2;
            Display(10, true);
            r = 3;
            return;
        }
        if (!MeetThem(5)) {
            r = -1;
            return;
        }
        S[26] = 1;
        S[29] = 1;
        r = 17;
        return;
    }
    if (o == 27) {
        if (S[147] != 0 || P[15] != 0 || P[16] != 0) {
            r = 18;
            return;
        }
        if (!MeetThem(6)) {
            r = -1;
            return;
        }
        S[29] = 2;
        r = 20;
        return;
    }
    if (P[17] != 0) {
        if (P[16] != 0) {
            r = 19;
            return;
        }
        Display(3, true);
        P[16] = 1;
        if (P[18] != 0) S[147] = 1;
        r = MeetThem(7) ? 21 : -1;
        return;
    }
    if (S[27] != 0) {
        r = 3;
        return;
    }
    S[27] = 1;
    S[29] = 1;
    Display(2, true);
    P[17] = 1;
    if (P[16] != 0 && P[18] != 0) S[147] = 1;
    r = 1;
}

void TGame::Case11(int o, int8_t& r) {
    int h = GameState.HeldItem;
    auto place = [&](int itemN, int object) {
        Display(itemN, false);
        P[15] = int8_t(P[15] + 1);
        S[object] = 1;
        if (P[15] == 3) S[147] = 2;
    };
    if (o == 83) {
        if (h == 2) r = 23;
        else if (h != 4) r = 25;
        else {
            place(4, 83);
            r = 1;
        }
        return;
    }
    if (o == 84) {
        if (h == 2) r = 23;
        else if (h != 3) r = 24;
        else {
            place(3, 84);
            r = 1;
        }
        return;
    }
    if (o == 82 && h != 2) {
        r = 3;
        return;
    }
    place(2, 82);
    MeetThem(12);
    r = 22;
}

void TGame::Case18(int o, int8_t& r) {
    int h = GameState.HeldItem;
    if (P[10] != 0) {
        if (h != 8) r = 3;
        else if (P[14] < 2) r = 26;
        else if (!MeetThem(13)) r = -1;
        else {
            Display(21, true);
            Display(8, false);
            r = -1;
        }
        return;
    }
    if (h != 0) {
        r = 3;
        return;
    }
    if (P[0] < 10) {
        r = 32;
        return;
    }
    UpDateScreen(18, 1);
    if (!Puzzle(6)) {
        r = -1;
        return;
    }
    P[10] = 1;
    Score(4);
    S[o] = 1;
    Display(5, true);
    r = 6;
}

void TGame::Case19(int8_t& r) {
    int h = GameState.HeldItem;
    if (S[147] == 0 || h != 0) {
        r = 3;
        return;
    }
    if (P[15] == 3) {
        Display(1, true);
        P[15] = 4;
        S[147] = 0;
        GameState.ExitNorth[19] = 0;
        SetArrows();
        r = 37;
        return;
    }
    if (GameState.ExitNorth[19] != 0) {
        r = 36;
        return;
    }
    if (!Puzzle(3)) {
        r = -1;
        return;
    }
    Score(3);
    GameState.ExitNorth[19] = 16;
    SetArrows();
    r = 36;
}

int8_t TGame::GridCondition(int o) {
    Tag = 0;
    int h = GameState.HeldItem;
    int8_t r = kRuleNone;
    switch (GameState.Room) {
        case 1: Case1(o, r); break;
        case 3:
            if (h == 9) {
                if (P[12] != 0) r = 16;
                else if (!MeetThem(3)) r = -1;
                else {
                    Display(15, true);
                    P[12] = 1;
                    r = 13;
                }
            } else if (P[13] > 1 || h != 16) {
                r = 3;
            } else if (!Puzzle(2)) {
                r = -1;
            } else {
                Score(2);
                S[o] = 1;
                P[13] = 2;
                r = 5;
            }
            break;
        case 4: Case4(o, r); break;
        case 5:
            if (h == 0) {
                if (o == 37) {
                    S[37] = 1;
                    Display(16, true);
                }
                r = 3;
            } else if (h != 10 || P[12] < 2 || P[13] < 4 || P[18] != 0) {
                r = 3;
            } else {
                S[33] = 1;
                S[34] = 1;
                S[37] = 2;
                S[40] = 1;
                Transforms();
                if (P[17] != 0 && P[16] != 0) S[147] = 1;
                Display(4, true);
                P[18] = 1;
                r = -1;
            }
            break;
        case 6:
            if (GameState.ExitNorth[6] != 0) {
                text1.Caption = "If you want to ride, just go east.  The goat has nothing more to say.";
                r = h != 0 ? -1 : 3;
            } else if (h != 1) {
                MeetThem(10);
                r = 11;
            } else if (P[6] == 0) {
                app.CloseUp->Meets(9);
                r = -1;
            } else if (!MeetThem(8)) {
                r = -1;
            } else {
                GameState.ExitNorth[6] = 26;
                SetArrows();
                r = -1;
            }
            break;
        case 7:
            S[50] = 1;
            Display(7, true);
            P[11] = 1;
            r = 1;
            break;
        case 8:
            if (S[60] == 0) {
                if (h != 0) {
                    r = 3;
                } else {
                    Score(2);
                    S[60] = 1;
                    S[58] = 1;
                    Playit("music\\flute.wma");
                    r = 3;
                }
            } else if (h != 7) {
                r = 3;
            } else if (P[11] > 1) {
                r = 8;
            } else {
                S[58] = 2;
                S[60] = 2;
                P[11] = 2;
                LastTuneKey = 0;
                Playit("music\\flute.wma");
                Score(2);
                r = 49;
            }
            break;
        case 11: Case11(o, r); break;
        case 13: r = 1; break;
        case 14:
            if (o == 109) {
                if (P[20] != 0) {
                    r = 3;
                } else {
                    S[109] = 1;
                    Display(12, true);
                    P[20] = 1;
                    r = 1;
                }
            } else if (h != 7 || P[19] != 0) {
                r = 3;
            } else {
                MeetThem(0);
                if (GameState.Room != 8) {
                    r = -1;
                } else {
                    P[19] = 1;
                    GameState.ExitEast[14] = 8;
                    S[105] = 1;
                    S[106] = 1;
                    S[110] = 1;
                    text1.Caption = MemoLine(0);
                    app.processMessages();
                    SetArrows();
                    r = -1;
                }
            }
            break;
        case 15:
            if (o == 114) {
                if (h != 5 || S[114] != 0) {
                    r = 3;
                } else {
                    S[114] = 1;
                    S[118] = 1;
                    GameState.ExitNorth[15] = 20;
                    P[21] = 1;
                    PlayVid(MP, PlayerId::MP, 65, 16, 312, 148);
                    app.platform.playSound("music\\jubjub.wav");
                    r = 1;
                }
            } else {
                Display(14, true);
                S[118] = 2;
                r = -1;
            }
            break;
        case 17:
            if (P[13] == 2) {
                if (!MeetThem(14)) r = -1;
                else {
                    P[13] = 3;
                    r = 27;
                }
            } else if (P[13] == 5 && P[7] == 2) {
                app.CloseUp->Meets(15);
                if ((Tag & 0xFF) == 0) r = -1;
                else {
                    P[7] = 3;
                    r = 28;
                }
            } else if (!MeetThem(16)) {
                r = -1;
            } else {
                r = P[13] == 4 ? 31 : 30;
            }
            break;
        case 18: Case18(o, r); break;
        case 19: Case19(r); break;
        case 20:
            S[o] = 1;
            Display(17, true);
            r = 3;
            break;
        case 22:
            if (o == 175) {
                Display(18, true);
                Display(9, true);
                S[175] = int8_t(S[175] + 1);
                r = 3;
            } else if (h == 18) {
                if (o != 172) r = 3;
                else if (P[5] != 0) r = 50;
                else {
                    S[172] = 1;
                    P[5] = 2;
                    r = 1;
                }
            } else if (h == 11) {
                bool jumpedBefore = P[1] > 1;
                Catfish();
                r = jumpedBefore ? 4 : -1;
            } else {
                r = 3;
            }
            break;
        case 23:
            if (h != 18 || P[5] < 2 || S[177] != 0) {
                r = 3;
            } else if (!Puzzle(4)) {
                r = -1;
            } else {
                Score(4);
                P[22] = 1;
                for (int n = 177; n <= 183; ++n) S[n] = 1;
                Display(6, true);
                r = 46;
            }
            break;
        case 26:
            if (h != 8) r = 3;
            else if (P[4] != 0) r = 9;
            else if (!Puzzle(1)) r = -1;
            else {
                Score(2);
                P[4] = 1;
                r = 10;
            }
            break;
        case 27:
            if (P[7] > 4) {
                r = 42;
            } else {
                Big();
                r = 43;
            }
            break;
        case 28:
            if (P[7] < 6) {
                r = 3;
            } else if (MP3.Tag != 0) {
                r = -1;
            } else {
                bool again = P[7] == 7;
                Tree();
                r = again ? 45 : 44;
            }
            break;
        case 29:
            if (h != 17 || S[o] != 0) {
                r = 3;
            } else {
                S[226] = 1;
                S[228] = 1;
                P[23] = 1;
                GameState.ExitEast[29] = 31;
                SetArrows();
                r = 1;
            }
            break;
        case 31:
            if (P[7] < 5 || h != 13) r = 3;
            else if (S[251] != 0) r = 34;
            else if (!Puzzle(0)) r = -1;
            else {
                Score(2);
                P[7] = 6;
                S[251] = 1;
                r = 35;
            }
            break;
        case 32:
            if (o == 251) {
                if (h != 13) r = -1;
                else if (P[14] != 0) r = 47;
                else if (S[251] == 0) r = 48;
                else {
                    P[14] = 1;
                    Display(8, true);
                    r = 38;
                }
            } else if (P[4] == 0 || P[21] > 1) {
                r = 3;
            } else if (!Puzzle(5)) {
                r = -1;
            } else {
                P[21] = 2;
                Score(2);
                Display(20, true);
                r = 7;
            }
            break;
        default: r = kRuleNone; break;
    }
    return r;
}

#undef P
#undef S

}  // namespace lnf
