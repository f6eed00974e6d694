// The whole story, from a new game to the won ending, played the way a player would: shared
// by the walkthrough tests and by the re-entry test, which sends inputs in the middle of it.
#pragma once

#include "game_fixture.h"

namespace lnf::testing {

inline void PlayToTheEnd(Game& g) {
    TGame& t = g.game;
    g.startAndClickOnce();
    ASSERT_EQ(t.GameState.Room, 4);

    // The flower garden: the rose, the kitten under the leaves, the sunflowers, the King.
    g.doOn(2);
    EXPECT_EQ(g.message(), "The rose told you about something hiding under a leaf.");
    g.doOn(5);
    EXPECT_TRUE(t.Vis(kKitten));
    g.doOn(3);
    EXPECT_EQ(g.message(), "The sunflowers told you something else is hiding under the leaf.");
    g.doOn(5);
    EXPECT_TRUE(t.Vis(kWhiteKing));
    EXPECT_EQ(g.message(), "You found the White King hiding under a leaf after the sunflowers told you to look for him.");
    g.doOn(2);
    EXPECT_TRUE(t.Vis(kRosePetal));

    // The horse's hair for Humpty; the alpaca's first formula.
    g.walkTo(5);
    g.doOn(5);
    EXPECT_TRUE(t.Vis(kHorseHair));
    g.walkTo(3);
    g.use(kHorseHair, 2);
    EXPECT_EQ(g.message(), "Humpty told you to talk to the alpaca.  That's all he has to say for now.");
    g.walkTo(17);
    g.doOn(4);  // the curious thing on her table starts the main story
    EXPECT_EQ(g.P(MainStage), 1);
    g.doOn(2);
    EXPECT_EQ(g.message(), "The alpaca told you how to make a transforming solution.");

    // The harp, and the sunflowers' song.
    g.walkTo(7);
    g.doOn(2);
    EXPECT_TRUE(t.Vis(kHarp));
    g.walkTo(4);
    g.use(kHarp, 3);
    EXPECT_EQ(g.message(), "The sunflowers taught you to play the Song of the Sun on the harp.");

    // The frog doorman: ten knocks, his questions, the giant claw.
    g.walkTo(18);
    for (int i = 0; i < 9; ++i) {
        g.doOn(2);
        EXPECT_EQ(g.message(), "You knock loudly on the door, but there's no response.");
    }
    g.doOn(2);
    EXPECT_TRUE(t.Vis(kClaw));

    // The jubjub bird flies off with the claw; its nest holds the thread.
    g.walkTo(15);
    g.use(kClaw, 2);
    g.platform.advance(10000);  // the bird's clip ends
    EXPECT_EQ(t.GameState.ExitNorth[15], 20);
    EXPECT_TRUE(t.arrowN.Visible);
    g.doOn(6);
    EXPECT_TRUE(t.Vis(kThread));
    g.walkTo(20);
    g.doOn(4);
    EXPECT_TRUE(t.Vis(kCorn));

    // The stick and the thread make a fishing rod; the stream gives the rest.
    g.walkTo(14);
    g.doOn(5);
    EXPECT_TRUE(t.Vis(kStick));
    g.combine(kThread, kStick);
    EXPECT_TRUE(t.Vis(kFishingRod));
    EXPECT_FALSE(t.Vis(kStick));
    EXPECT_FALSE(t.Vis(kThread));
    g.walkTo(22);
    g.use(kFishingRod, 4);
    EXPECT_EQ(g.P(CatfishStage), 1);
    g.doOn(7);
    EXPECT_TRUE(t.Vis(kBottle));
    EXPECT_TRUE(t.Vis(kNote));
    g.use(kFishingRod, 4);
    EXPECT_TRUE(t.Vis(kWhisker));
    g.use(kFishingRod, 4);
    EXPECT_EQ(g.message(), "It's fun to make the fish jump up, but it serves no further purpose.");
    g.use(kBottle, 4);
    EXPECT_EQ(g.P(BottleStage), 2);

    // The note for Humpty gives the egg white; on the petal it wakes the horse.
    g.walkTo(3);
    g.use(kNote, 2);
    EXPECT_TRUE(t.Vis(kEggWhite));
    g.combine(kEggWhite, kRosePetal);
    EXPECT_EQ(g.P(EggWhiteStage), 2);
    g.walkTo(5);
    g.use(kRosePetal, 5);
    EXPECT_TRUE(t.Vis(kBrownKnight));
    EXPECT_FALSE(t.arrowS.Visible);  // the player stays for the transformation
    g.platform.advance(3100);
    EXPECT_EQ(g.P(AlpacaStage), 5);
    EXPECT_TRUE(t.arrowS.Visible);

    // The White Queen, the balcony, the three pieces, the ticket.
    g.walkTo(19);
    g.doOn(3);
    EXPECT_EQ(t.GameState.ExitNorth[19], 16);
    g.walkTo(11);
    g.use(kKitten, 2);
    EXPECT_EQ(g.message(), "The kitten jumped over the railing, and landed on the chessboard below.");
    g.use(kBrownKnight, 3);
    g.use(kWhiteKing, 4);
    EXPECT_EQ(g.P(ChessPieces), 3);
    g.walkTo(19);
    g.doOn(3);
    EXPECT_TRUE(t.Vis(kTicket));
    EXPECT_EQ(t.GameState.ExitNorth[19], 0);

    // The dragonfly in the molasses.
    g.walkTo(23);
    g.use(kBottle, 2);
    EXPECT_TRUE(t.Vis(kWing));
    EXPECT_EQ(g.message(), "The dragonfly gave you a bit of its candy wing, and flew away.");

    // The fawn leads to the singing trees and the Harp of the Winds.
    g.walkTo(14);
    g.use(kHarp, 2);
    EXPECT_EQ(t.GameState.Room, 8);
    EXPECT_EQ(t.GameState.ExitEast[14], 8);
    g.doOn(2);
    g.use(kHarp, 2);
    EXPECT_EQ(g.P(HarpStage), 2);

    // The kettle, the alpaca's clarifying formula, the brew.
    g.walkTo(1);
    g.doOn(3);
    EXPECT_EQ(g.P(MainStage), 2);
    g.walkTo(17);
    g.doOn(2);
    EXPECT_EQ(g.message(), "The alpaca told you how to make a clarifying solution.");
    g.walkTo(1);
    g.use(kWhisker, 3);
    g.use(kWing, 3);
    g.use(kHarp, 3);
    EXPECT_EQ(g.P(HarpStage), 3);
    int continues = g.continuesPressed;
    g.doOn(3);
    EXPECT_EQ(g.continuesPressed - continues, 3);  // three pictures, each with its "Continue"
    EXPECT_EQ(g.P(MainStage), 4);
    g.doOn(1);
    EXPECT_TRUE(t.Vis(kSword));
    g.doOn(8);
    EXPECT_EQ(g.S(214), 1);

    // The goat's engine over the bridge.
    g.walkTo(6);
    g.use(kTicket, 2);
    EXPECT_EQ(t.GameState.ExitNorth[6], 26);
    g.walkTo(26);

    // The mushroom, the raths, the Jabberwock, the cheese, the tove, the borogove.
    g.walkTo(27);
    g.doOn(6);
    EXPECT_EQ(g.P(MainStage), 5);
    EXPECT_FALSE(t.Image2.Enabled);
    g.platform.advance(23000);
    EXPECT_TRUE(t.Image2.Enabled);
    EXPECT_EQ(g.message(), "You start to feel the effects wearing off, and return to normal size.");
    g.walkTo(29);
    g.use(kCorn, 4);
    EXPECT_EQ(t.GameState.ExitEast[29], 31);
    g.walkTo(31);
    EXPECT_FALSE(t.arrowW.Visible);
    g.platform.advance(2600);
    EXPECT_EQ(g.P(JabberwockCame), 1);
    EXPECT_TRUE(t.arrowW.Visible);
    g.use(kSword, 2);
    EXPECT_EQ(g.message(), "The Jabberwock told you to talk to the tove.");
    g.walkTo(32);
    g.use(kSword, 3);
    EXPECT_TRUE(t.Vis(kCheese));
    g.walkTo(26);
    g.use(kCheese, 2);
    EXPECT_EQ(g.message(), "The tove told you about the Tumtum leaves.  That's all he has to say.");
    g.walkTo(32);
    g.doOn(2);
    EXPECT_TRUE(t.Vis(kLeaf));
    g.combine(kLeaf, kCheese);
    EXPECT_EQ(g.message(), "You wrap the Tumtum leaf up in the cheese.");

    // The ancient tree, the ride home, Kitty, the woman.
    g.walkTo(28);
    g.doOn(6);
    EXPECT_EQ(g.P(MainStage), 7);
    g.platform.advance(10000);
    EXPECT_EQ(t.MP3.Tag, 0);
    g.walkTo(6);
    g.walkTo(18);
    g.use(kCheese, 2);
    EXPECT_TRUE(t.Vis(kKitty));
    g.walkTo(1);
    g.use(kKitty, 1);
    EXPECT_EQ(g.app.Tag, 2);
    EXPECT_TRUE(t.Closed);
}

// The second walkthrough: level 2, a wrong answer first at every question, the third accepted
// form of each answer inside a phrase.
inline void PrepareLevelTwo(Game& g) {
    g.app.CloseUp->SetLevel(2);
    g.wrongFirst = true;
    g.answerField = 2;
    g.answerPrefix = "I THINK ";
}

}  // namespace lnf::testing
