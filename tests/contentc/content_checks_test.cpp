// The content compiler refuses bad sources with a message that names the fault: each case runs
// one of its steps on a small broken fixture from tests/contentc/fixtures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rooms.h"
#include "steps.h"
#include "world/picture_tables.h"

using namespace contentc;
namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(LNF_SOURCE_DIR) + "/tests/contentc/fixtures/";
const std::string kContent = std::string(LNF_SOURCE_DIR) + "/content/";

// True if one of the messages holds `part`.
bool Says(const Diagnostics& diag, const std::string& part) {
    for (const std::string& m : diag.messages()) {
        if (m.find(part) != std::string::npos) return true;
    }
    return false;
}

std::string All(const Diagnostics& diag) {
    std::string all;
    for (const std::string& m : diag.messages()) all += m + "\n";
    return all;
}

const lnf::OverlayPiece& PieceOfRoom(int room) {
    for (const lnf::OverlayPiece& p : lnf::OverlayPieces()) {
        if (p.room == room) return p;
    }
    throw std::runtime_error("no piece");
}

}  // namespace

TEST(ContentChecks, AnObjectThatCoversNoCellIsRefused) {
    Diagnostics diag;
    std::string svg = kFixtures + "no_cell.svg";
    auto cells = ComputeCells(svg, Slurp(svg), diag);
    EXPECT_EQ(diag.errors(), 1) << All(diag);
    EXPECT_TRUE(Says(diag, "group code2 covers no cell of the click grid")) << All(diag);
    // The object beside it is drawn and owns its cells.
    EXPECT_NE(std::count(cells.begin(), cells.end(), 3), 0);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 2), 0);
}

TEST(ContentChecks, ARoomTextMissingALineARuleNeedsIsRefused) {
    Diagnostics diag;
    std::string file = kFixtures + "r07_missing.txt";
    RoomText text = ParseRoomText(file, diag);
    ASSERT_EQ(diag.errors(), 0) << All(diag);
    std::array<uint8_t, lnf::kCellsPerRecord> cells{};
    cells.fill(1);
    for (int cell = 200; cell < 260; ++cell) cells[size_t(cell)] = 2;  // the harp is drawn
    CheckRoomText(lnf::kForestAlcove, cells, text, file, diag);
    // The rule of the alcove takes the harp, so its taken state needs its do line.
    EXPECT_EQ(diag.errors(), 1) << All(diag);
    EXPECT_TRUE(Says(diag, "needs the line 'do 2.1'")) << All(diag);
}

TEST(ContentChecks, ARuleObjectThatIsNotDrawnIsRefused) {
    Diagnostics diag;
    std::string file = kFixtures + "r07_missing.txt";
    RoomText text = ParseRoomText(file, diag);
    std::array<uint8_t, lnf::kCellsPerRecord> cells{};
    cells.fill(1);  // no harp in the picture
    CheckRoomText(lnf::kForestAlcove, cells, text, file, diag);
    EXPECT_TRUE(Says(diag, "object code 2 (a rule acts on it) is not drawn in the picture")) << All(diag);
}

TEST(ContentChecks, AMeetingShorterThanTheGameShowsIsRefused) {
    // The shipped conversations with the kitten's one cut short.
    fs::path dir = fs::temp_directory_path() / ("lnf_contentc_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "conversations");
    fs::copy(kContent + "conversations", dir / "conversations",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(kFixtures + "conversations/kitten.txt", dir / "conversations/kitten.txt",
                  fs::copy_options::overwrite_existing);
    Output out;
    Diagnostics diag;
    BuildConversations(dir.string(), false, kCommonWords, out, diag);
    fs::remove_all(dir);
    EXPECT_EQ(diag.errors(), 1) << All(diag);
    EXPECT_TRUE(Says(diag, "kitten.txt: [meeting 12] must hold lines")) << All(diag);
    EXPECT_TRUE(Says(diag, "(it holds")) << All(diag);
}

TEST(ContentChecks, AChangedLookOutsideItsPieceIsRefused) {
    Diagnostics diag;
    std::string svg = kFixtures + "look_outside.svg";
    Rgba base = RenderSvg(svg, lnf::kGrid.pictureWidth, lnf::kGrid.pictureHeight);
    const lnf::OverlayPiece& harp = PieceOfRoom(lnf::kForestAlcove);
    EXPECT_FALSE(CutPiece(svg, Slurp(svg), base, harp, diag).has_value());
    EXPECT_EQ(diag.errors(), 1) << All(diag);
    EXPECT_TRUE(Says(diag, "the look 'changed' changes pixels at (")) << All(diag);
    EXPECT_TRUE(Says(diag, "outside its piece starting at (382, 1)")) << All(diag);
    // A look the drawing does not have is named.
    Diagnostics missing;
    EXPECT_FALSE(CutPiece(svg, Slurp(svg), base, PieceOfRoom(lnf::kFawnWood), missing).has_value());
    EXPECT_TRUE(Says(missing, "needs the changed look <g id=\"changed-a\">")) << All(missing);
}

TEST(ContentChecks, APieceInsideItsCornerIsCutFromTheCorner) {
    // The shipped alcove: its piece starts at its corner and covers all that the look changes.
    Diagnostics diag;
    std::string svg = kContent + "rooms/r07.svg";
    Rgba base = RenderSvg(svg, lnf::kGrid.pictureWidth, lnf::kGrid.pictureHeight);
    auto piece = CutPiece(svg, Slurp(svg), base, PieceOfRoom(lnf::kForestAlcove), diag);
    ASSERT_TRUE(piece.has_value()) << All(diag);
    EXPECT_LE(382 + piece->width, lnf::kGrid.pictureWidth);
    EXPECT_GT(piece->width, 0);
}

TEST(ContentChecks, TheRoomNotesAgreeWithTheTablesAndAWrongExitIsNamed) {
    Diagnostics shipped;
    CheckObjectsDoc(kContent + "rooms/OBJECTS.md", shipped);
    EXPECT_EQ(shipped.errors(), 0) << All(shipped);

    std::string notes = Slurp(kContent + "rooms/OBJECTS.md");
    auto replace = [&](std::string text, const std::string& from, const std::string& to) {
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    };
    fs::path file = fs::temp_directory_path() / ("lnf_objects_" + std::to_string(::getpid()) + ".md");
    auto check = [&](const std::string& text) {
        std::ofstream(file) << text;
        Diagnostics diag;
        CheckObjectsDoc(file.string(), diag);
        fs::remove(file);
        return All(diag);
    };
    EXPECT_NE(check(replace(notes, "south 488,345,210,55 -> 10", "south 488,345,200,55 -> 10"))
                  .find("room 1 south: the area is not the game's"),
              std::string::npos);
    EXPECT_NE(check(replace(notes, "north (cond) 430,177,75,70", "north 430,177,75,70"))
                  .find("room 6 north: '(cond)' must mark exactly the exits the story opens"),
              std::string::npos);
    EXPECT_NE(check(replace(notes, "corner 382,1", "corner 380,1"))
                  .find("room 7: the changed-look corners are not the game's overlay pieces"),
              std::string::npos);
}

TEST(ContentChecks, TheTablesPrintForTheScriptsUnderTheirHeaders) {
    std::ostringstream clips, grid, nothing;
    ASSERT_TRUE(PrintTable("clips", clips));
    EXPECT_EQ(clips.str().substr(0, clips.str().find('\n')), "name\troom\tlook\tx\ty\twidth\theight\tfile");
    EXPECT_NE(clips.str().find("catfish\t22\t-\t629\t212\t164\t188\tp1/CATFISH.AVI\n"), std::string::npos);
    ASSERT_TRUE(PrintTable("grid", grid));
    EXPECT_NE(grid.str().find("\n37\t17\t21.44\t24\t792\t392\t0.35\n"), std::string::npos) << grid.str();
    EXPECT_FALSE(PrintTable("menus", nothing));
}
