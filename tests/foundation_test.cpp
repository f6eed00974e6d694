// The record layout, the file resolver, resources, shifted text and JPEG pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "pictures/jpeg.h"
#include "pictures/resources.h"
#include "world/game_files.h"
#include "world/game_state.h"
#include "world/shifted_text.h"

namespace fs = std::filesystem;
using namespace lnf;

namespace {

fs::path TempFolder(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("lnf_test_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Image Gradient(int w, int h, int channels) {
    Image img(w, h, channels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < channels; ++c) img.row(y)[x * channels + c] = uint8_t((x * 2 + y + c * 20) % 250);
    return img;
}

double MeanError(const Image& a, const Image& b) {
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) sum += std::abs(int(a.pixels[i]) - int(b.pixels[i]));
    return sum / double(a.pixels.size());
}

}  // namespace

TEST(GameStateRecord, FieldsSitAtTheirSavedGameOffsets) {
    // A saved game is "v2" followed by the record: field offset + 2 is the file offset.
    GameStateRecord s{};
    s.clear();
    s.ExitNorth[6] = 26;
    s.ExitWest[32] = 7;
    s.Progress[LevelFlag] = 2;
    s.setScore(0x01020304);
    s.ObjState[279] = -5;
    s.HeldItem = 13;
    s.Room = 31;
    s.ShownRoom = 30;
    s.Spare = 99;
    std::vector<uint8_t> file = {'v', '2'};
    file.insert(file.end(), s.bytes(), s.bytes() + sizeof(s));
    ASSERT_EQ(file.size(), 450u);
    EXPECT_EQ(file[2 + 6], 26);
    EXPECT_EQ(file[101 + 32], 7);
    EXPECT_EQ(file[134 + 3], 2);
    EXPECT_EQ(file[162], 0x04);  // little-endian score at file offsets 162..165
    EXPECT_EQ(file[165], 0x01);
    EXPECT_EQ(int8_t(file[166 + 279]), -5);
    EXPECT_EQ(file[446], 13);
    EXPECT_EQ(file[447], 31);
    EXPECT_EQ(file[448], 30);
    EXPECT_EQ(file[449], 99);
    s.setScore(-7);
    EXPECT_EQ(s.score(), -7);
    EXPECT_EQ(s.ScoreBytes[3], 0xFF);
}

TEST(GameStateRecord, BuiltInMapIsSymmetricWhereTheStoryExpectsIt) {
    GameStateRecord s{};
    s.clear();
    CopyBuiltInExits(s);
    EXPECT_EQ(s.ExitNorth[6], 0);  // opened by the goat later
    EXPECT_EQ(s.ExitSouth[1], 10);
    EXPECT_EQ(s.ExitNorth[10], 1);
    EXPECT_EQ(s.ExitWest[31], 29);
    EXPECT_EQ(s.ExitEast[29], 0);  // opened by the mome raths later
    for (int r = 0; r <= 32; ++r) {
        for (int8_t e : {s.ExitNorth[r], s.ExitSouth[r], s.ExitEast[r], s.ExitWest[r]}) {
            EXPECT_GE(e, 0);
            EXPECT_LE(e, 32);
        }
    }
    EXPECT_EQ(ObjectNumber(1, 1), 1);
    EXPECT_EQ(ObjectNumber(4, 5), 29);
    EXPECT_EQ(ObjectNumber(14, 6), 110);
    EXPECT_EQ(ObjectNumber(32, 3), 251);
}

TEST(GameFiles, GameSpellingMapsToOneFileWhateverTheCase) {
    EXPECT_EQ(NormalizeGameName("data\\grid04.dlg"), "data/grid04.dlg");
    EXPECT_EQ(NormalizeGameName("p2//jump1"), "p2/jump1");
    EXPECT_EQ(NormalizeGameName("2grdata."), "2grdata.");
    EXPECT_EQ(NormalizeGameName(".\\music\\\\door.wav"), "music/door.wav");

    fs::path game = TempFolder("resolver_game"), user = TempFolder("resolver_user");
    WriteBytes(game / "p1" / "Sunflower.JPG", {1, 2, 3});
    WriteBytes(game / "data" / "grid04.dlg", {4});
    WriteBytes(game / "2grdata.", {5});
    WriteBytes(game / "p2" / "jump1", {6});
    GameFiles files(user, {game});
    EXPECT_EQ(files.read("p1\\sunflower.jpg"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(files.read("P1\\SUNFLOWER.jpg"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(files.read("DATA\\GRID04.DLG"), (std::vector<uint8_t>{4}));
    EXPECT_EQ(files.read("2grdata."), (std::vector<uint8_t>{5}));
    EXPECT_EQ(files.read("p2//jump1"), (std::vector<uint8_t>{6}));
    EXPECT_FALSE(files.exists("..\\etc\\passwd"));

    // The player's own folder comes first: a composed picture there wins over the game's.
    files.write("p1\\SUNFLOWER.jpg", {9});
    EXPECT_EQ(files.read("p1\\sunflower.jpg"), (std::vector<uint8_t>{9}));
    EXPECT_EQ(files.read("p1\\Sunflower.JPG").size(), 1u);

    try {
        files.read("data\\missing.dlg");
        FAIL() << "a missing file must raise";
    } catch (const FileError& e) {
        std::string msg = e.what();
        EXPECT_NE(msg.find("data/missing.dlg"), std::string::npos);
        EXPECT_NE(msg.find(game.string()), std::string::npos);
        EXPECT_NE(msg.find(user.string()), std::string::npos);
    }
    EXPECT_TRUE(files.readPart("nothing", 0, 10).empty());
    EXPECT_EQ(files.readPart("2grdata.", 0, 10).size(), 1u);
    fs::remove_all(game);
    fs::remove_all(user);
}

// The readers work on the system's file calls: parts at any offset, whole files up to their
// limit, folders and nested spellings of any case.
TEST(GameFiles, ReadsWholeFilesAndPartsOfThemAtAnyOffset) {
    fs::path game = TempFolder("reader_game"), user = TempFolder("reader_user");
    std::vector<uint8_t> cells(5000);
    for (size_t i = 0; i < cells.size(); ++i) cells[i] = uint8_t(i * 7);
    WriteBytes(game / "2grdata.", cells);
    WriteBytes(game / "Data" / "Deep" / "Grid07.DLG", {7, 7});
    fs::create_directories(game / "music" / "folder.wav");
    GameFiles files(user, {game});

    EXPECT_EQ(files.readPart("2grdata.", 645, 645), std::vector<uint8_t>(cells.begin() + 645, cells.begin() + 1290));
    EXPECT_EQ(files.readPart("2grdata.", 4900, 645), std::vector<uint8_t>(cells.begin() + 4900, cells.end()));
    EXPECT_TRUE(files.readPart("2grdata.", 5000, 645).empty());
    EXPECT_TRUE(files.readPart("2grdata.", uint64_t(1) << 63, 645).empty());
    EXPECT_TRUE(files.readPart("2grdata.", 0, 0).empty());

    EXPECT_EQ(files.read("2grdata.", 5000), cells);
    EXPECT_THROW(files.read("2grdata.", 4999), FileError);
    EXPECT_EQ(files.read("data\\deep\\grid07.dlg"), (std::vector<uint8_t>{7, 7}));
    EXPECT_EQ(files.readPart("DATA/DEEP/GRID07.dlg", 1, 10), (std::vector<uint8_t>{7}));
    EXPECT_FALSE(files.exists("music\\folder.wav"));          // a folder is not a game file
    EXPECT_THROW(files.read("music\\folder.wav"), FileError);
    EXPECT_FALSE(files.exists("data\\deep"));

    // A file holding more than its size says (as the kernel's own files do, or one that grows
    // while it is read) is read no further than the limit.
    fs::create_symlink("/proc/self/status", game / "grows.dat");
    EXPECT_THROW(files.read("grows.dat", 16), FileError);
    EXPECT_GT(files.read("grows.dat").size(), 16u);

    // A file the player's folder holds in another spelling is the one read.
    fs::create_directories(user);
    WriteBytes(user / "2GRDATA.", {1});
    GameFiles own(user, {game});
    own.setOwnNames({"2grdata."});
    EXPECT_EQ(own.read("2grdata."), (std::vector<uint8_t>{1}));
    fs::remove_all(game);
    fs::remove_all(user);
}

TEST(Resources, FoundByTypeAndNameWithoutRegardToCase) {
    std::map<std::pair<std::string, std::string>, std::vector<uint8_t>> entries;
    entries[{"JPEG", "R07"}] = {1, 2};
    entries[{"CURSOR", "ID_M5"}] = {3};
    entries[{"BITMAP", "BTNLOOK"}] = {};
    std::vector<uint8_t> bytes = ResourcePack::Build(entries);
    ResourcePack pack(bytes);
    ASSERT_TRUE(pack.find("jpeg", "r07"));
    EXPECT_EQ(pack.find("JPEG", "r07")->size(), 2u);
    EXPECT_EQ((*pack.find("Cursor", "id_m5"))[0], 3);
    EXPECT_TRUE(pack.find("BITMAP", "btnlook"));
    EXPECT_FALSE(pack.find("BITMAP", "R07"));  // the type matters
    EXPECT_THROW(pack.get("JPEG", "R99"), ResourceError);
    std::vector<uint8_t> damaged(bytes.begin(), bytes.begin() + 20);
    EXPECT_THROW(ResourcePack{damaged}, ResourceError);
}

TEST(ShiftedText, DecodesToTheEndMarkAndSplitsLines) {
    std::string text = DecodeShifted({75, 107, 16, 13, 75, 0}, 3400);
    EXPECT_EQ(text, "Hh\r\nH");
    auto lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Hh");
    EXPECT_EQ(lines[1], "H");
    EXPECT_EQ(DecodeShifted({75, 3, 75, 0}, 3400), "H");  // a stored 3 decodes to 0 and ends the text
    EXPECT_EQ(DecodeShifted({75, 75, 75}, 2), "HH");       // the buffer's end ends it too
    EXPECT_EQ(DecodeShifted(EncodeShifted("Look at me*now"), 100), "Look at me*now");
}

// The plain character-by-character reading of a text file, as the game first wrote it: the
// faster helpers must agree with it on every kind of end and line break.
namespace {
std::string DecodeByteByByte(const std::vector<uint8_t>& stored, size_t limit) {
    std::string out;
    for (size_t i = 0; i < std::min(limit, stored.size()) && stored[i] != 0 && stored[i] != 3; ++i)
        out.push_back(char(uint8_t(stored[i] - 3)));
    return out;
}
std::vector<std::string> SplitByteByByte(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur.push_back(text[i]);
        }
    }
    if (!cur.empty() || (lines.empty() && !text.empty())) lines.push_back(cur);
    return lines;
}
}  // namespace

TEST(ShiftedText, AgreesWithByteByByteReadingOnEveryKindOfEnd) {
    for (const std::string& t : {std::string(), std::string("\r"), std::string("\n"), std::string("\r\n"),
                                 std::string("\n\r"), std::string("a\r\r\nb"), std::string("a\n"), std::string("a\r\n\r\n"),
                                 std::string("\n\nx"), std::string("end\r"), std::string("plain")})
        EXPECT_EQ(SplitLines(t), SplitByteByByte(t)) << "text of " << t.size() << " bytes";
    // Short random files over a small alphabet hit the end marks, the limit and the line breaks
    // in every order.
    const uint8_t alphabet[] = {0, 3, 4, 16, 13, 10 + 3, 13 + 3, 'a' + 3, 255, 1};
    uint32_t seed = 12345;
    for (int round = 0; round < 4000; ++round) {
        std::vector<uint8_t> stored(size_t(seed % 23));
        for (uint8_t& b : stored) {
            seed = seed * 1103515245u + 12345u;
            b = alphabet[(seed >> 16) % sizeof alphabet];
        }
        seed = seed * 1103515245u + 12345u;
        size_t limit = (seed >> 16) % 25;
        std::string text = DecodeShifted(stored, limit);
        ASSERT_EQ(text, DecodeByteByByte(stored, limit)) << "round " << round;
        ASSERT_EQ(SplitLines(text), SplitByteByByte(text)) << "round " << round;
    }
}

TEST(Jpeg, RoundTripInColourAndGrey) {
    Image colour = Gradient(83, 47, 3);
    DecodeResult back = DecodeJpeg(EncodeJpeg(colour));
    EXPECT_EQ(back.image.width, 83);
    EXPECT_EQ(back.image.height, 47);
    EXPECT_EQ(back.image.channels, 3);
    EXPECT_EQ(back.warnings, 0);
    EXPECT_LT(MeanError(colour, back.image), 6.0);

    Image grey = Gradient(40, 30, 1);
    DecodeResult g = DecodeJpeg(EncodeJpeg(grey));
    EXPECT_EQ(g.image.channels, 1);  // a one-component picture decodes to 8-bit grey
    EXPECT_LT(MeanError(grey, g.image), 4.0);
}

TEST(Jpeg, WritesBaselineJfifWithUnitlessDensity) {
    std::vector<uint8_t> bytes = EncodeJpeg(Gradient(16, 16, 3));
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0xE0);                          // JFIF header
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 10), "JFIF");
    EXPECT_EQ(bytes[13], 0);                            // density unit 0
    EXPECT_EQ(bytes[14] << 8 | bytes[15], 1);           // 1 x 1
    EXPECT_EQ(bytes[16] << 8 | bytes[17], 1);
    bool baseline = false, progressive = false;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) baseline = true;
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC2) progressive = true;
    }
    EXPECT_TRUE(baseline);
    EXPECT_FALSE(progressive);
}

TEST(Jpeg, CorruptStreamRaisesAndTruncatedOneCompletes) {
    std::vector<uint8_t> good = EncodeJpeg(Gradient(64, 64, 3));
    std::vector<uint8_t> notJpeg = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    try {
        DecodeJpeg(notJpeg);
        FAIL() << "not a picture";
    } catch (const JpegError& e) {
        EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos);  // libjpeg's own message
    }
    EXPECT_THROW(DecodeJpeg(std::vector<uint8_t>{}), JpegError);
    std::vector<uint8_t> badHeader = good;
    for (size_t i = 0; i + 4 < badHeader.size(); ++i) {
        if (badHeader[i] == 0xFF && badHeader[i + 1] == 0xC0) {
            badHeader[i + 4] = 12;  // a sample precision this decoder does not take
            break;
        }
    }
    EXPECT_THROW(DecodeJpeg(badHeader), JpegError);

    std::vector<uint8_t> truncated(good.begin(), good.begin() + long(good.size() * 2 / 3));
    DecodeResult r = DecodeJpeg(truncated);
    EXPECT_EQ(r.image.width, 64);
    EXPECT_EQ(r.image.height, 64);
    EXPECT_GE(r.warnings, 1);
}

TEST(Jpeg, AHeaderAskingForAHugePictureIsRefused) {
    std::vector<uint8_t> bytes = EncodeJpeg(Gradient(16, 16, 3));
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0x4E;  // height 20000
            bytes[i + 6] = 0x20;
            bytes[i + 7] = 0x4E;  // width 20000
            bytes[i + 8] = 0x20;
            break;
        }
    }
    try {
        DecodeJpeg(bytes);
        FAIL() << "a 20000 x 20000 picture must be refused before it is allocated";
    } catch (const JpegError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
    }
}

TEST(Jpeg, DecoderReadsInChunksOf4096) {
    std::vector<uint8_t> bytes = EncodeJpeg(Gradient(400, 300, 3), 98);
    ASSERT_GT(bytes.size(), 3 * kJpegChunk);
    std::vector<size_t> asked;
    size_t at = 0;
    DecodeResult r = DecodeJpeg([&](uint8_t* buf, size_t want) {
        asked.push_back(want);
        size_t n = std::min(want, bytes.size() - at);
        std::memcpy(buf, bytes.data() + at, n);
        at += n;
        return n;
    });
    EXPECT_EQ(r.image.width, 400);
    for (size_t w : asked) EXPECT_EQ(w, kJpegChunk);
}

TEST(Image, DrawClipsAtTheEdges) {
    Image base(10, 10, 3);
    std::fill(base.pixels.begin(), base.pixels.end(), uint8_t(0));
    Image dot(4, 4, 3);
    std::fill(dot.pixels.begin(), dot.pixels.end(), 200);
    base.draw(dot, 8, -2);
    EXPECT_EQ(base.row(0)[8 * 3], 200);
    EXPECT_EQ(base.row(1)[9 * 3], 200);
    EXPECT_EQ(base.row(2)[9 * 3], 0);
    EXPECT_EQ(base.row(0)[7 * 3], 0);
}
