// Where the game folder is found, what the player's folder may stand in for, and how the
// pictures an older version composed are retired.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "game_fixture.h"
#include "pictures/jpeg.h"
#include "world/data_folders.h"
#include "world/game_files.h"

namespace fs = std::filesystem;
using namespace lnf;
using lnf::testing::FreshFolder;
using lnf::testing::Game;

namespace {

void Put(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(GameFolder, SearchedAsDesktopsExpect) {
    fs::path root = FreshFolder("search");
    GameFolderSearch s{root / "usr" / "games", "/usr/share/games/lanternfall/", "/opt/a:relative/b::/usr/share/"};
    std::vector<fs::path> want = {
        "/usr/share/games/lanternfall",
        "/opt/a/lanternfall", "/opt/a/games/lanternfall",
        "/usr/share/lanternfall",  // games/lanternfall under /usr/share is the configured one
        root / "usr" / "games" / "game", root / "usr" / "share" / "lanternfall",
        root / "usr" / "share" / "games" / "lanternfall",
    };
    EXPECT_EQ(GameFolderCandidates(s), want);

    // No XDG_DATA_DIRS: the default pair. Nothing configured: it is skipped.
    GameFolderSearch d{"/x/bin", "", ""};
    std::vector<fs::path> c = GameFolderCandidates(d);
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[0], "/usr/local/share/lanternfall");
    EXPECT_EQ(c[3], "/usr/share/games/lanternfall");
    EXPECT_EQ(c.back(), "/x/share/games/lanternfall");

    // A build tree plays the game folder it built, even with an older game installed.
    Put(root / "build" / "CMakeCache.txt", "");
    c = GameFolderCandidates({root / "build", "/usr/share/games/lanternfall", ""});
    EXPECT_EQ(c.front(), root / "build" / "game");
    EXPECT_EQ(std::count(c.begin(), c.end(), root / "build" / "game"), 1);
    fs::remove_all(root);
}

TEST(GameFolder, ChosenByItsStartRecordThenByExisting) {
    fs::path root = FreshFolder("choose");
    fs::create_directories(root / "empty");
    Put(root / "full" / "DATA" / "ZeroData", "x");
    EXPECT_EQ(ChooseGameFolder({root / "missing", root / "empty", root / "full"}), root / "full");
    // None holds the start record: the first that exists, so that its lacks can be named.
    EXPECT_EQ(ChooseGameFolder({root / "missing", root / "empty"}), root / "empty");
    EXPECT_FALSE(ChooseGameFolder({root / "missing"}).has_value());
    fs::remove_all(root);
}

TEST(PlayerFolder, OnlyWhatTheGameWritesIsReadFromIt) {
    fs::path game = FreshFolder("own_game"), user = FreshFolder("own_user");
    Put(game / "data" / "grid04.dlg", "new");
    Put(game / "2grdata.", "installed");
    Put(user / "data" / "grid04.dlg", "left by an older version");
    Put(user / "p1" / "070.jpg", "composed");
    Put(user / "2grdata.", "painted by an author");
    GameFiles files(user, {game});
    files.setOwnNames(PlayerFolderNames());
    EXPECT_EQ(Slurp(*files.find("data\\grid04.dlg")), "new");
    EXPECT_EQ(Slurp(*files.find("P1\\070.JPG")), "composed");
    EXPECT_EQ(Slurp(*files.find("2grdata.")), "painted by an author");
    // The player's folder may be the game folder itself (a prefix of ~/.local).
    GameFiles same(game, {game});
    same.setOwnNames(PlayerFolderNames());
    EXPECT_EQ(Slurp(*same.find("data\\grid04.dlg")), "new");
    fs::remove_all(game);
    fs::remove_all(user);
}

TEST(PlayerFolder, AnotherVersionsComposedPicturesAreRetired) {
    fs::path user = FreshFolder("stamp");
    Put(user / "p1" / "070.jpg", "old");
    Put(user / "P2" / "310.JPG", "old");
    Put(user / "p1" / "sunflower.jpg", "not composed by the game");
    Put(user / "2grdata.", "records");
    Put(user / "mine.sav", std::string(471, 'v'));
    Put(user / "data" / "grid04.dlg", "left");

    // No stamp: the pictures may come from any version.
    std::vector<std::string> gone = RetireStaleComposedPictures(user, "4.0");
    EXPECT_EQ(gone, (std::vector<std::string>{"p1/070.jpg", "p2/310.jpg"}));
    EXPECT_FALSE(fs::exists(user / "p1" / "070.jpg"));
    EXPECT_FALSE(fs::exists(user / "P2" / "310.JPG"));
    EXPECT_EQ(Slurp(user / kComposedStampName), "4.0\n");
    EXPECT_EQ(Slurp(user / "mine.sav"), std::string(471, 'v'));
    EXPECT_EQ(Slurp(user / "2grdata."), "records");
    EXPECT_TRUE(fs::exists(user / "p1" / "sunflower.jpg"));
    EXPECT_TRUE(fs::exists(user / "data" / "grid04.dlg"));

    // The same version keeps what it composed.
    Put(user / "p1" / "140.jpg", "this version's");
    EXPECT_TRUE(RetireStaleComposedPictures(user, "4.0").empty());
    EXPECT_EQ(Slurp(user / "p1" / "140.jpg"), "this version's");
    // A newer version does not.
    EXPECT_EQ(RetireStaleComposedPictures(user, "4.1"), (std::vector<std::string>{"p1/140.jpg"}));
    EXPECT_EQ(Slurp(user / kComposedStampName), "4.1\n");

    // A new player's folder is made and stamped.
    fs::remove_all(user);
    EXPECT_TRUE(RetireStaleComposedPictures(user, "4.0").empty());
    EXPECT_EQ(Slurp(user / kComposedStampName), "4.0\n");
    fs::remove_all(user);
}

TEST(PlayerFolder, ARestoredChangedRoomIsComposedAgainWhenItsPictureIsGone) {
    // Each changed room with the progress that shows it, as a restored game would have it.
    struct Case {
        int room, progress, value;
        const char* picture;
    };
    const Case cases[] = {{5, 18, 1, "p1\\050.jpg"},  {7, 11, 1, "p1\\070.jpg"},  {14, 19, 1, "p1\\140.jpg"},
                          {15, 21, 1, "p1\\150.jpg"}, {18, 10, 1, "p1\\180.jpg"}, {23, 22, 1, "p1\\230.jpg"},
                          {29, 23, 1, "p2\\290.jpg"}, {31, 24, 1, "p2\\310.jpg"}};
    for (const Case& c : cases) {
        Game g;
        g.start();
        g.P(c.progress) = int8_t(c.value);
        g.app.guard([&] { g.game.NewRoom(c.room); });
        EXPECT_TRUE(g.platform.errors.empty()) << "room " << c.room << ": " << g.platform.errors.front();
        ASSERT_TRUE(g.files.exists(c.picture)) << c.picture;
        Image composed = DecodeJpeg(g.files.read(c.picture)).image;
        EXPECT_EQ(composed.width, 792);
        EXPECT_EQ(g.game.Image2.Picture.width, 792);
        // The room shows its change: not the plain picture.
        Image plain = c.room <= 25 ? g.game.LoadResourcePicture((c.room < 10 ? "R0" : "R") + std::to_string(c.room))
                                   : DecodeJpeg(g.files.read("p2\\" + std::to_string(c.room) + ".jpg")).image;
        double diff = 0;
        for (size_t i = 0; i < composed.pixels.size() && i < plain.pixels.size(); ++i)
            diff += std::abs(int(composed.pixels[i]) - int(plain.pixels[i]));
        EXPECT_GT(diff / double(composed.pixels.size()), 0.5) << "room " << c.room;
    }
}
