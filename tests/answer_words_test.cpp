// The content compiler's check that no accepted riddle answer lies inside another common word
// (the game would take that word as right), run on a small fixture conversation and word list.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string errors;
};

// Writes the conversation and the word list to a fresh folder and runs the answer check on them.
Result Check(const std::string& conversation, const std::string& words) {
    fs::path dir = fs::temp_directory_path() / ("lnf-answers-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    std::ofstream(dir / "riddles.txt") << conversation;
    std::ofstream(dir / "words") << words;
    std::string cmd = std::string(LNF_CONTENTC) + " --check-answers " + (dir / "riddles.txt").string() + " --words " +
                      (dir / "words").string() + " 2>&1";
    Result r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 512> buf;
    while (fgets(buf.data(), int(buf.size()), p)) r.errors += buf.data();
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    fs::remove_all(dir);
    return r;
}

std::string Riddles(const std::string& answers) {
    return "[questions]\nHello.\nQ: What keeps a ship in one place?\nA: " + answers +
           "\nR: Right.\nGoodbye.\nW: Wrong.\n";
}

const char* const kWords =
    "anchor\nanchors\nanchored\nanchorage\nanchoring\nanchorings\nAnchorage\nanchor's\n"
    "remain\nmain\ntent\nseventeen\nten\nrook\nrooks\nbrook\nstoppered\nstopper\nstop\n";

}  // namespace

TEST(AnswerWords, AnAnswerInsideAnotherWordFailsNamingFileQuestionAnswerAndWord) {
    Result r = Check(Riddles("MAIN | TEN | BROOK"), kWords);
    EXPECT_EQ(r.status, 1) << r.errors;
    EXPECT_NE(r.errors.find("riddles.txt: question 1"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("What keeps a ship in one place?"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("the answer 'MAIN' lies inside the word 'REMAIN'"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("the answer 'TEN' lies inside the word 'TENT'"), std::string::npos) << r.errors;
    EXPECT_EQ(r.errors.find("'BROOK'"), std::string::npos) << "only the list's words count: " << r.errors;

    // A compound or derived word counts: ANCHORAGE is not an anchor.
    r = Check(Riddles("ANCHOR | ANCHORS | A ROPE"), kWords);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.errors.find("the answer 'ANCHOR' lies inside the word 'ANCHORAGE'"), std::string::npos) << r.errors;
}

TEST(AnswerWords, InflectionsNamesPossessivesAndOtherRightAnswersDoNotCount) {
    // ANCHORS, ANCHORED, ANCHORING(S) are the answer itself; "Anchorage" is a name; "anchor's"
    // is a possessive; ROOKS is another right answer of the same question; STOPPERED doubles
    // no letter of STOPPER, so it is just STOPPER + ED.
    std::string words = "anchors\nanchored\nanchoring\nanchorings\nAnchorage\nanchor's\nrooks\nstopper\nstoppered\n";
    Result r = Check(Riddles("ANCHOR | ROOK | ROOKS"), words);
    EXPECT_EQ(r.status, 0) << r.errors;
    r = Check(Riddles("STOPPER | A STOPPER | THE STOPPER"), words);
    EXPECT_EQ(r.status, 0) << r.errors;
    // A doubled last letter before an ending is still the same word: STOP, STOPPED.
    r = Check(Riddles("STOP | HALT | WHOA"), "stopped\nstopping\nstops\n");
    EXPECT_EQ(r.status, 0) << r.errors;
    // A digit or a single letter makes the game want the answer exactly, and a phrase never
    // lies inside one word: none of them is checked.
    r = Check(Riddles("10 | T | TEN TIMES"), kWords);
    EXPECT_EQ(r.status, 0) << r.errors;
}

TEST(AnswerWords, AMissingWordListStopsTheBuild) {
    fs::path dir = fs::temp_directory_path() / "lnf-answers-nolist";
    fs::create_directories(dir);
    std::ofstream(dir / "riddles.txt") << Riddles("ANCHOR | ROOK | ROOKS");
    std::string cmd = std::string(LNF_CONTENTC) + " --check-answers " + (dir / "riddles.txt").string() + " --words " +
                      (dir / "no-such-list").string() + " >/dev/null 2>&1";
    int st = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 1);
    fs::remove_all(dir);
}
