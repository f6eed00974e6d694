// Cursor modes, the mouse, the inventory column, the score, and Look, Do and Use.
#include "game_fixture.h"
#include "interaction/tables.h"

using lnf::testing::Game;
using namespace lnf;

TEST(Mouse, FirstPressOnlyTellsTheOpeningThenButtonsDispatchByMode) {
    Game g;
    g.start();
    TGame& t = g.game;
    g.pressAt(10, 10, MouseButton::Right);
    EXPECT_EQ(t.CursorMode, kLookMode);  // the first press of any button only shows the narrative
    EXPECT_FALSE(t.FirstClickHint);
    EXPECT_EQ(g.message(), g.app.text("hint"));
    EXPECT_FALSE(g.message().empty());
    EXPECT_EQ(t.text1.FontColor, t.TextColor);

    g.pressAt(10, 10, MouseButton::Right);
    EXPECT_EQ(t.CursorMode, kDoMode);
    EXPECT_TRUE(t.DoButton.Down);
    EXPECT_FALSE(t.Look.Down);
    EXPECT_EQ(t.Image2.Cursor, crHandPoint);
    g.pressAt(10, 10, MouseButton::Right);
    EXPECT_EQ(t.CursorMode, kLookMode);
    t.Display(kHarp, true);
    t.itemClick(kHarp);
    EXPECT_EQ(t.GameState.HeldItem, kHarp);
    EXPECT_EQ(t.Image2.Cursor, 7);
    EXPECT_EQ(t.InstalledCursors[7], "ID_m7");
    g.pressAt(10, 10, MouseButton::Right);  // an item on the cursor drops into Do
    EXPECT_EQ(t.CursorMode, kDoMode);
    EXPECT_EQ(t.GameState.HeldItem, 0);

    // The middle button acts like the left: a Look shows the object's look text.
    t.ChangeCursor(kLookMode);
    auto [x, y] = g.pointOf(2);
    g.pressAt(x, y, MouseButton::Middle);
    EXPECT_EQ(g.message(), t.MemoLine(1));
}

TEST(Mouse, CellsAtBothScreenSizes) {
    Game small({640, 480});
    small.startAndClickOnce();
    struct { int x, y, cell; } at640[] = {{0, 0, 0}, {13, 14, 0}, {14, 0, 17}, {0, 15, 1}, {494, 244, 628}, {26, 29, 18}};
    for (auto c : at640) {
        small.game.ChangeCursor(kLookMode);
        small.pressAt(c.x, c.y);
        EXPECT_EQ(small.game.ClickedCell, c.cell) << c.x << "," << c.y;
    }
    Game big;
    big.startAndClickOnce();
    big.pressAt(21, 23);
    EXPECT_EQ(big.game.ClickedCell, 0);
    big.pressAt(22, 24);
    EXPECT_EQ(big.game.ClickedCell, 18);
    // Beyond the grid at the right edge: a press on no object.
    big.game.ClickedCell = -5;
    big.pressAt(int(37 * big.game.CellWidth) + 2, 10);
    EXPECT_EQ(big.game.ClickedCell, -5);
}

TEST(Mouse, DoubleClickGuardDropsTheSecondPress) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.ChangeCursor(kDoMode);
    t.NewRoom(18);
    auto [x, y] = g.pointOf(2);
    // press, click, double click, second press
    t.Image2MouseDown(MouseButton::Left, x, y);
    t.Image2Click();
    t.Image2DblClick();
    t.Image2MouseDown(MouseButton::Left, x, y);
    EXPECT_EQ(g.P(KnockCount), 1);  // one knock, not two
    t.Image2Click();
    t.Image2MouseDown(MouseButton::Left, x, y);
    EXPECT_EQ(g.P(KnockCount), 2);
}

TEST(Inventory, PlacesEachItemOnItsGridAndScoresEveryShow) {
    Game g;
    g.start();
    TGame& t = g.game;
    t.Display(kClaw, true);
    EXPECT_EQ(t.item[5].bounds(), (Rect{61, 58, 37, 40}));
    t.Display(kKitty, true);
    EXPECT_EQ(t.item[21].Left, 13 + 2 * 48);
    EXPECT_EQ(t.item[21].Top, 10 + 6 * 48);
    EXPECT_EQ(g.score(), 4);
    t.Display(kClaw, true);  // showing again scores again
    EXPECT_EQ(g.score(), 6);
    EXPECT_EQ(t.ScoreLabel.Caption, "Score: 6");
    t.ChangeCursor(kClaw);
    t.Display(kKitty, false);
    EXPECT_EQ(t.CursorMode, kDoMode);  // hiding any item leaves the cursor in Do
    EXPECT_FALSE(t.Vis(kKitty));
    EXPECT_FALSE(t.Vis(0));
    EXPECT_FALSE(t.Vis(22));
    Game small({640, 480});
    small.start();
    small.game.Display(kWhiteKing, true);
    // The pitch and the margins shrink with the pictures: the third column stays inside the
    // 123-pixel panel.
    EXPECT_EQ(small.game.item[3].bounds(), (Rect{68, 6, 23, 25}));
}

TEST(Inventory, CombinationsAndTheirPoints) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    for (int n : {8, 10, 12, 14, 15, 20}) t.Display(n, true);
    int base = g.score();
    // The thread shows its cursor over the stick; the leaf goes back to the arrow.
    t.itemClick(kCheese);
    EXPECT_EQ(t.item[20].Cursor, 8);
    t.itemClick(kThread);
    EXPECT_EQ(t.item[20].Cursor, crArrow);
    EXPECT_EQ(t.item[12].Cursor, 14);
    t.itemClick(kStick);
    EXPECT_EQ(g.message(), "You tie the yarn to the stick.");
    EXPECT_TRUE(t.Vis(kFishingRod));
    EXPECT_FALSE(t.Vis(kStick));
    EXPECT_FALSE(t.Vis(kThread));
    EXPECT_EQ(t.GameState.HeldItem, kFishingRod);
    EXPECT_EQ(g.score(), base + 4);
    t.itemClick(kEggWhite);
    t.itemClick(kRosePetal);
    EXPECT_EQ(g.message(), "You put the Egg White on the Rose Petal.");
    EXPECT_EQ(g.P(EggWhiteStage), 2);
    EXPECT_EQ(g.score(), base + 6);
    t.itemClick(kLeaf);
    t.itemClick(kCheese);
    EXPECT_EQ(g.message(), "You wrap the Tumtum leaf up in the cheese.");
    EXPECT_EQ(g.P(CheeseStage), 2);
    EXPECT_FALSE(t.Vis(kLeaf));
    EXPECT_EQ(t.GameState.HeldItem, kCheese);
    EXPECT_EQ(g.score(), base + 10);
    // The reverse click is a plain selection.
    t.Display(kThread, true);
    t.Display(kStick, true);
    t.itemClick(kStick);
    t.itemClick(kThread);
    EXPECT_TRUE(t.Vis(kStick));
    EXPECT_EQ(t.GameState.HeldItem, kThread);
}

TEST(Inventory, DoubleClickOpensTheCloseLookWithItsStage) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kBottle, true);
    g.P(BottleStage) = 2;
    t.itemClick(kBottle);
    t.itemDblClick(kBottle);
    EXPECT_EQ(t.CloseLookItem, 18);
    EXPECT_EQ(t.CloseLookVariant, 2);
    EXPECT_EQ(g.app.Inventory->Inv1.Caption, g.app.text("item18"));
    g.P(BottleStage) = 0;
    t.itemDblClick(kBottle);
    EXPECT_EQ(g.app.Inventory->Inv1.Caption, "This bottle was washed up in the grassy clump by the creek.");
    g.P(HarpStage) = 1;
    t.itemDblClick(kHarp);
    EXPECT_EQ(g.app.Inventory->Inv1.Caption, "You found this harp propped up against a tree in the forest alcove.");
    g.P(HarpStage) = 3;
    t.itemDblClick(kHarp);
    EXPECT_EQ(g.app.Inventory->Inv1.Caption, g.app.text("item7"));
    t.itemDblClick(kNote);
    EXPECT_EQ(g.app.Inventory->WindowHeight, 474);
    EXPECT_EQ(g.app.Inventory->Inv1.Top, 30);
    EXPECT_EQ(g.app.Inventory->Inv1.Caption.rfind("The note reads:", 0), 0u);
    t.itemDblClick(kStick);
    EXPECT_EQ(g.app.Inventory->WindowHeight, 300);
    EXPECT_EQ(g.app.Inventory->ItemPic.Picture.width, 136);
}

TEST(Actions, DoShowsTextsRefusesShortOnesAndCountsKnocks) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(9);  // a room without rules
    for (int code = 1; code <= 8; ++code) {
        bool drawn = false;
        for (int i = 0; i < 629; ++i) drawn = drawn || t.RoomCells[size_t(i)] == code;
        if (!drawn) continue;
        g.doOn(code);
        std::string line = t.MemoLine(code - 1 + 24);
        EXPECT_EQ(g.message(), line.size() < 5 ? "You can't do anything to that." : line);
    }
    // A short do line, as a damaged text would give.
    t.Memo.assign(53, "");
    t.Memo[24 + 1] = "Hmm.";
    g.doOn(t.RoomCells[0]);
    t.NewRoom(18);
    g.P(KnockCount) = 0;
    g.doOn(t.RoomCells[0]);  // even Do on the background knocks
    EXPECT_EQ(g.P(KnockCount), 1);
    g.P(KnockCount) = 127;
    g.doOn(2);
    EXPECT_EQ(g.P(KnockCount), 127);  // the counter stops instead of wrapping
}

TEST(Actions, RefusalChainNamesTheCreature) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kStick, true);
    t.Display(kSword, true);
    t.Display(kCorn, true);
    t.Display(kTicket, true);
    t.NewRoom(6);
    g.use(kStick, 2);
    EXPECT_EQ(g.message(), "The goat said you need a ticket if you want to ride the steam engine.");  // its own rule
    // Creature names build the refusals where no rule takes the item.
    EXPECT_EQ(t.GetSpec(42), "the goat");
    g.S(42) = 1;
    EXPECT_EQ(t.GetSpec(42), "");
    g.S(42) = 0;
    t.ChangeCursor(kStick);
    EXPECT_TRUE(t.SpecialUse(42));
    EXPECT_EQ(g.message(), "You don't want to hit the goat with a stick!");
    t.ChangeCursor(kSword);
    EXPECT_TRUE(t.SpecialUse(202));
    EXPECT_EQ(g.message(), "There's no need to use the sword on the tove!");
    t.ChangeCursor(kCorn);
    EXPECT_TRUE(t.SpecialUse(180));
    EXPECT_EQ(g.message(), "You don't need to use that on the dragonfly.");
    t.ChangeCursor(kKitten);
    EXPECT_TRUE(t.SpecialUse(2));
    EXPECT_EQ(g.message(), "Don't put the poor kitten in the fire!");
    t.ChangeCursor(kTicket);
    g.game.text1.Caption = "before";
    EXPECT_TRUE(t.SpecialUse(147));  // the Queen with the ticket: silent, but handled
    EXPECT_EQ(g.message(), "before");
    t.ChangeCursor(kCorn);
    EXPECT_TRUE(t.SpecialUse(133));
    EXPECT_EQ(g.message(), "Apparently the Alpaca isn't very hungry.");
    EXPECT_FALSE(t.SpecialUse(999));
    // Codes 6..8 never reach a rule.
    t.NewRoom(22);
    int s172 = g.S(172);
    t.Display(kBottle, true);
    g.use(kBottle, 8);
    EXPECT_EQ(g.message(), "The bank is too slippery.  You can't reach the water from here.");
    EXPECT_EQ(g.S(172), s172);
}

TEST(Actions, UseSuccessAddsTwoBesidesTheRule) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.Display(kBottle, true);
    t.NewRoom(22);
    int before = g.score();
    g.use(kBottle, 4);
    EXPECT_EQ(g.P(BottleStage), 2);
    EXPECT_EQ(g.score(), before + 2);
    EXPECT_EQ(g.message(), t.MemoLine(4 + 47));
    g.use(kBottle, 4);
    EXPECT_EQ(g.message(), "You already filled the bottle with water.");
    EXPECT_EQ(g.score(), before + 2);
}

TEST(Actions, ActOnComparesOnlyRealEntries) {
    Game g;
    g.start();
    TGame& t = g.game;
    t.ActionResult = 0;
    t.ActOn(0, 25, 0, 0, 0, 0);
    EXPECT_EQ(t.ActionResult, 0);  // padding never matches a code 0
    t.ActOn(25, 25, 0, 0, 0, 0);
    EXPECT_EQ(t.ActionResult, 1);
    t.ActionResult = 0;
    t.ActOn(44, 25, 33, 34, 36, 44);
    EXPECT_EQ(t.ActionResult, 1);
    t.ActionResult = 0;
    t.ActOn(33, 25, 0, 33, 0, 0);  // entries after a 0 in the second place are not looked at
    EXPECT_EQ(t.ActionResult, 0);
}

TEST(Actions, SayKnowsExactlyTheFixedMessages) {
    Game g;
    g.start();
    TGame& t = g.game;
    EXPECT_FALSE(t.Say(3));
    EXPECT_FALSE(t.Say(51));
    EXPECT_TRUE(t.Say(13));
    EXPECT_EQ(g.message(), "Humpty Dumpy got so excited that he cracked a little. You got tiny bit of egg white.");
    for (int code : {6, 37, 43, 44, 45, 49}) {
        EXPECT_TRUE(t.Say(code));
        EXPECT_GT(g.message().size(), 40u) << code;
    }
    t.Say(43);
    EXPECT_NE(g.message().find("\n\n"), std::string::npos);  // two paragraphs
}

TEST(Actions, ASecondDoCannotEnterTheRuleBook) {
    Game g;
    g.startAndClickOnce();
    TGame& t = g.game;
    t.NewRoom(7);
    // While the first Do lets pending events run, the player presses again.
    g.platform.inject([&] { g.doOn(2); });
    g.doOn(2);
    EXPECT_EQ(g.score(), 2);  // the harp once, not twice
    EXPECT_FALSE(t.RuleBusy);
}
