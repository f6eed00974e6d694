// The whole story, from a new game to the won ending, played the way a player would: shared
// by the walkthrough tests and by the re-entry test, which sends inputs in the middle of it.
#pragma once

#include "game_fixture.h"

namespace lnf::testing {

// Items by number.
enum { Ticket = 1, Kitten, King, Knight, Claw, Wing, Harp, Cheese, Note, Petal, Rod, Stick, Sword, Thread,
       EggWhite, Hair, Corn, Bottle, Whisker, Leaf, Kitty };

inline void PlayToTheEnd(Game& g) {
    TGame& t = g.game;
    g.startAndClickOnce();
    ASSERT_EQ(t.GameState.Room, 4);

    // The flower garden: the rose, the kitten under the leaves, the sunflowers, the King.
    g.doOn(2);
    EXPECT_EQ(g.message(), "The rose told you about something hiding under a leaf.");
    g.doOn(5);
    EXPECT_TRUE(t.Vis(Kitten));
    g.doOn(3);
    EXPECT_EQ(g.message(), "The sunflowers told you something else is hiding under the leaf.");
    g.doOn(5);
    EXPECT_TRUE(t.Vis(King));
    EXPECT_EQ(g.message(), "You found the White King hiding under a leaf after the sunflowers told you to look for him.");
    g.doOn(2);
    EXPECT_TRUE(t.Vis(Petal));

    // The horse's hair for Humpty; the alpaca's first formula.
    g.walkTo(5);
    g.doOn(5);
    EXPECT_TRUE(t.Vis(Hair));
    g.walkTo(3);
    g.use(Hair, 2);
    EXPECT_EQ(g.message(), "Humpty told you to talk to the alpaca.  That's all he has to say for now.");
    g.walkTo(17);
    g.doOn(4);  // the curious thing on her table starts the main story
    EXPECT_EQ(g.P(7), 1);
    g.doOn(2);
    EXPECT_EQ(g.message(), "The alpaca told you how to make a transforming solution.");

    // The harp, and the sunflowers' song.
    g.walkTo(7);
    g.doOn(2);
    EXPECT_TRUE(t.Vis(Harp));
    g.walkTo(4);
    g.use(Harp, 3);
    EXPECT_EQ(g.message(), "The sunflowers taught you to play the Song of the Sun on the harp.");

    // The frog doorman: ten knocks, his questions, the giant claw.
    g.walkTo(18);
    for (int i = 0; i < 9; ++i) {
        g.doOn(2);
        EXPECT_EQ(g.message(), "You knock loudly on the door, but there's no response.");
    }
    g.doOn(2);
    EXPECT_TRUE(t.Vis(Claw));

    // The jubjub bird flies off with the claw; its nest holds the thread.
    g.walkTo(15);
    g.use(Claw, 2);
    g.platform.advance(10000);  // the bird's clip ends
    EXPECT_EQ(t.GameState.ExitNorth[15], 20);
    EXPECT_TRUE(t.arrowN.Visible);
    g.doOn(6);
    EXPECT_TRUE(t.Vis(Thread));
    g.walkTo(20);
    g.doOn(4);
    EXPECT_TRUE(t.Vis(Corn));

    // The stick and the thread make a fishing rod; the stream gives the rest.
    g.walkTo(14);
    g.doOn(5);
    EXPECT_TRUE(t.Vis(Stick));
    g.combine(Thread, Stick);
    EXPECT_TRUE(t.Vis(Rod));
    EXPECT_FALSE(t.Vis(Stick));
    EXPECT_FALSE(t.Vis(Thread));
    g.walkTo(22);
    g.use(Rod, 4);
    EXPECT_EQ(g.P(1), 1);
    g.doOn(7);
    EXPECT_TRUE(t.Vis(Bottle));
    EXPECT_TRUE(t.Vis(Note));
    g.use(Rod, 4);
    EXPECT_TRUE(t.Vis(Whisker));
    g.use(Rod, 4);
    EXPECT_EQ(g.message(), "It's fun to make the fish jump up, but it serves no further purpose.");
    g.use(Bottle, 4);
    EXPECT_EQ(g.P(5), 2);

    // The note for Humpty gives the egg white; on the petal it wakes the horse.
    g.walkTo(3);
    g.use(Note, 2);
    EXPECT_TRUE(t.Vis(EggWhite));
    g.combine(EggWhite, Petal);
    EXPECT_EQ(g.P(12), 2);
    g.walkTo(5);
    g.use(Petal, 5);
    EXPECT_TRUE(t.Vis(Knight));
    EXPECT_FALSE(t.arrowS.Visible);  // the player stays for the transformation
    g.platform.advance(3100);
    EXPECT_EQ(g.P(13), 5);
    EXPECT_TRUE(t.arrowS.Visible);

    // The White Queen, the balcony, the three pieces, the ticket.
    g.walkTo(19);
    g.doOn(3);
    EXPECT_EQ(t.GameState.ExitNorth[19], 16);
    g.walkTo(11);
    g.use(Kitten, 2);
    EXPECT_EQ(g.message(), "The kitten jumped over the railing, and landed on the chessboard below.");
    g.use(Knight, 3);
    g.use(King, 4);
    EXPECT_EQ(g.P(15), 3);
    g.walkTo(19);
    g.doOn(3);
    EXPECT_TRUE(t.Vis(Ticket));
    EXPECT_EQ(t.GameState.ExitNorth[19], 0);

    // The dragonfly in the molasses.
    g.walkTo(23);
    g.use(Bottle, 2);
    EXPECT_TRUE(t.Vis(Wing));
    EXPECT_EQ(g.message(), "The dragonfly gave you a bit of its candy wing, and flew away.");

    // The fawn leads to the singing trees and the Harp of the Winds.
    g.walkTo(14);
    g.use(Harp, 2);
    EXPECT_EQ(t.GameState.Room, 8);
    EXPECT_EQ(t.GameState.ExitEast[14], 8);
    g.doOn(2);
    g.use(Harp, 2);
    EXPECT_EQ(g.P(11), 2);

    // The kettle, the alpaca's clarifying formula, the brew.
    g.walkTo(1);
    g.doOn(3);
    EXPECT_EQ(g.P(7), 2);
    g.walkTo(17);
    g.doOn(2);
    EXPECT_EQ(g.message(), "The alpaca told you how to make a clarifying solution.");
    g.walkTo(1);
    g.use(Whisker, 3);
    g.use(Wing, 3);
    g.use(Harp, 3);
    EXPECT_EQ(g.P(11), 3);
    int continues = g.continuesPressed;
    g.doOn(3);
    EXPECT_EQ(g.continuesPressed - continues, 3);  // three pictures, each with its "Continue"
    EXPECT_EQ(g.P(7), 4);
    g.doOn(1);
    EXPECT_TRUE(t.Vis(Sword));
    g.doOn(8);
    EXPECT_EQ(g.S(214), 1);

    // The goat's engine over the bridge.
    g.walkTo(6);
    g.use(Ticket, 2);
    EXPECT_EQ(t.GameState.ExitNorth[6], 26);
    g.walkTo(26);

    // The mushroom, the raths, the Jabberwock, the cheese, the tove, the borogove.
    g.walkTo(27);
    g.doOn(6);
    EXPECT_EQ(g.P(7), 5);
    EXPECT_FALSE(t.Image2.Enabled);
    g.platform.advance(23000);
    EXPECT_TRUE(t.Image2.Enabled);
    EXPECT_EQ(g.message(), "You start to feel the effects wearing off, and return to normal size.");
    g.walkTo(29);
    g.use(Corn, 4);
    EXPECT_EQ(t.GameState.ExitEast[29], 31);
    g.walkTo(31);
    EXPECT_FALSE(t.arrowW.Visible);
    g.platform.advance(2600);
    EXPECT_EQ(g.P(24), 1);
    EXPECT_TRUE(t.arrowW.Visible);
    g.use(Sword, 2);
    EXPECT_EQ(g.message(), "The Jabberwock told you to talk to the tove.");
    g.walkTo(32);
    g.use(Sword, 3);
    EXPECT_TRUE(t.Vis(Cheese));
    g.walkTo(26);
    g.use(Cheese, 2);
    EXPECT_EQ(g.message(), "The tove told you about the Tumtum leaves.  That's all he has to say.");
    g.walkTo(32);
    g.doOn(2);
    EXPECT_TRUE(t.Vis(Leaf));
    g.combine(Leaf, Cheese);
    EXPECT_EQ(g.message(), "You wrap the Tumtum leaf up in the cheese.");

    // The ancient tree, the ride home, Kitty, the woman.
    g.walkTo(28);
    g.doOn(6);
    EXPECT_EQ(g.P(7), 7);
    g.platform.advance(10000);
    EXPECT_EQ(t.MP3.Tag, 0);
    g.walkTo(6);
    g.walkTo(18);
    g.use(Cheese, 2);
    EXPECT_TRUE(t.Vis(Kitty));
    g.walkTo(1);
    g.use(Kitty, 1);
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
