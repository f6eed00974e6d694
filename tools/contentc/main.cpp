// The content compiler: turns content/ into the game folder and the program's resources, and
// stops the build on anything malformed or missing.
//
//   contentc --content DIR --game DIR --pack FILE [--allow-missing] [--words FILE]
//   contentc --check-answers CONVERSATION.txt [--words FILE]   (only the riddle answers' check)
//   contentc --check-room N ROOM.svg   (the picture checks alone, the SVG taken as room N)
//   contentc --print-table grid|exits|pieces|clips
//   contentc --clip ROOM.svg VARIANT X Y W H FRAMES_DIR OUT_DIR
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "interaction/tables.h"
#include "pictures/resources.h"
#include "checks.h"
#include "rooms.h"
#include "steps.h"
#include "world/game_files.h"

namespace fs = std::filesystem;
using namespace contentc;

namespace {

constexpr const char* kUsage =
    "usage: contentc --content DIR --game DIR --pack FILE [--allow-missing] [--words FILE]\n"
    "       contentc --check-answers CONVERSATION.txt [--words FILE]\n"
    "       contentc --check-room N ROOM.svg\n"
    "       contentc --print-table grid|exits|pieces|clips\n";

std::pair<int, int> Hotspot(const std::string& svgText, int units, int size) {
    std::smatch m;
    if (std::regex_search(svgText, m, std::regex("data-hotspot=\"\\s*([0-9.]+)[ ,]+([0-9.]+)\\s*\""))) {
        double x = std::stod(m[1]) * size / units, y = std::stod(m[2]) * size / units;
        return {std::clamp(int(x), 0, size - 1), std::clamp(int(y), 0, size - 1)};
    }
    return {-1, -1};
}

// The picture's own <title>: the item's name where the mouse rests on it.
std::string SvgTitle(const std::string& svgText) {
    std::smatch m;
    if (!std::regex_search(svgText, m, std::regex("<title>\\s*([^<]*?)\\s*</title>"))) return std::string();
    return m[1];
}

std::vector<uint8_t> CursorBytes(const Rgba& image, std::pair<int, int> hot) {
    std::vector<uint8_t> bytes = {uint8_t(hot.first), uint8_t(hot.second)};
    std::vector<uint8_t> png = EncodePng(image);
    bytes.insert(bytes.end(), png.begin(), png.end());
    return bytes;
}

struct Context {
    std::string content;
    bool allowMissing = false;
    Output& out;
    Diagnostics& diag;
    bool have(const std::string& rel) {
        if (fs::exists(content + "/" + rel)) return true;
        if (!allowMissing) diag.error(content + "/" + rel + ": missing");
        return false;
    }
};

void BuildItems(Context& c) {
    for (int n = 1; n <= lnf::kItems; ++n) {
        char nn[3] = {char('0' + n / 10), char('0' + n % 10), 0};
        std::string rel = std::string("items/i") + nn + ".svg";
        if (!c.have(rel)) continue;
        std::string file = c.content + "/" + rel;
        try {
            std::string text = Slurp(file);
            auto hot = Hotspot(text, 128, 32);
            if (hot.first < 0) c.diag.error(file + ": needs data-hotspot=\"X Y\" on the root element");
            std::string title = SvgTitle(text);
            if (title.empty()) c.diag.error(file + ": needs a <title> naming the item");
            c.out.resource(lnf::kTextResource, "ITEMNAME" + std::to_string(n), std::vector<uint8_t>(title.begin(), title.end()));
            // The close look sits on the dialog's panel colour; the column shows the item alone.
            lnf::Image closeUp = ToImage(RenderSvg(file, 136, 132), {0x57, 0x3E, 0x39});
            c.out.resource(lnf::kJpegResource, std::string("I") + nn, lnf::EncodeJpeg(closeUp, kContentQuality));
            c.out.resource(lnf::kPngResource, "ITEM" + std::to_string(n), EncodePng(RenderSvg(file, 74, 80)));
            c.out.resource(lnf::kCursorResource, "ID_M" + std::to_string(n), CursorBytes(RenderSvg(file, 32, 32), hot));
        } catch (const std::exception& e) {
            c.diag.error(e.what());
        }
    }
}

void BuildInterface(Context& c) {
    struct Piece {
        const char* source;
        const char* type;
        const char* name;
        int w, h;
    };
    const Piece pieces[] = {
        {"ui/btnlook.svg", lnf::kBitmapResource, "BTNLOOK", 100, 60},
        {"ui/btndo.svg", lnf::kBitmapResource, "BTNDO", 100, 60},
        {"ui/btncontinue.svg", lnf::kBitmapResource, "BTNCONTINUE", 100, 52},
        {"ui/btnexitintro.svg", lnf::kBitmapResource, "BTNEXITINTRO", 100, 52},
        {"ui/btnexit.svg", lnf::kBitmapResource, "BTNEXIT", 100, 52},
        {"ui/about.svg", lnf::kBitmapResource, "ABOUT", 292, 293},
        {"ui/invbk.svg", lnf::kBitmapResource, "INVBK", 424, 474},
        {"ui/woodrt.svg", lnf::kJpegResource, "WOODRT", 210, 768},
        {"ui/woodbot.svg", lnf::kJpegResource, "WOODBOT", 816, 60},
    };
    for (const Piece& p : pieces) {
        if (!c.have(p.source)) continue;
        try {
            Rgba image = RenderSvg(c.content + "/" + p.source, p.w, p.h);
            if (std::string(p.type) == lnf::kJpegResource)
                c.out.resource(p.type, p.name, lnf::EncodeJpeg(ToImage(image), kContentQuality));
            else
                c.out.resource(p.type, p.name, EncodePng(image));
        } catch (const std::exception& e) {
            c.diag.error(e.what());
        }
    }
    const char* cursors[] = {"look", "do", "north", "south", "east", "west"};
    for (const char* name : cursors) {
        std::string rel = std::string("ui/cursor_") + name + ".svg";
        if (!c.have(rel)) continue;
        std::string file = c.content + "/" + rel;
        try {
            auto hot = Hotspot(Slurp(file), 32, 32);
            if (hot.first < 0) c.diag.error(file + ": needs data-hotspot=\"X Y\" on the root element");
            std::string upper = name;
            for (char& ch : upper) ch = char(std::toupper(static_cast<unsigned char>(ch)));
            c.out.resource(lnf::kCursorResource, upper, CursorBytes(RenderSvg(file, 32, 32), hot));
        } catch (const std::exception& e) {
            c.diag.error(e.what());
        }
    }
    if (c.have("ui/icon.svg")) {
        try {
            std::string file = c.content + "/ui/icon.svg";
            std::vector<std::pair<int, std::vector<uint8_t>>> sizes;
            // Named by the desktop file's id, as desktops and software centres look icons up.
            for (int s : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
                std::vector<uint8_t> png = EncodePng(RenderSvg(file, s, s));
                c.out.file("icons/hicolor/" + std::to_string(s) + "x" + std::to_string(s) +
                               "/apps/org.lanternfall.Lanternfall.png",
                           png);
                if (s == 16 || s == 32 || s == 48 || s == 256) sizes.emplace_back(s, png);
            }
            c.out.file("veska.ico", BuildIco(sizes));
        } catch (const std::exception& e) {
            c.diag.error(e.what());
        }
    }
}

void BuildStoryTexts(Context& c) {
    if (!c.have("story/texts.txt")) return;
    std::string file = c.content + "/story/texts.txt";
    std::ifstream in(file);
    std::string line;
    int number = 0;
    std::map<std::string, std::string> texts;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        size_t colon = line.find(':');
        if (colon == std::string::npos) {
            c.diag.error(file + ":" + std::to_string(number) + ": expected 'key: text'");
            continue;
        }
        std::string key = line.substr(0, colon);
        std::string body = line.substr(colon + 1);
        if (!body.empty() && body[0] == ' ') body.erase(0, 1);
        std::string decoded;
        for (size_t i = 0; i < body.size(); ++i) {
            unsigned char ch = static_cast<unsigned char>(body[i]);
            if (ch < 32 || ch > 126) {
                c.diag.error(file + ":" + std::to_string(number) + ": only printable ASCII is allowed");
                break;
            }
            if (body[i] == '\\' && i + 1 < body.size() && body[i + 1] == 'n') {
                decoded.push_back('\n');
                ++i;
            } else {
                decoded.push_back(body[i]);
            }
        }
        if (texts.count(key)) c.diag.error(file + ":" + std::to_string(number) + ": key '" + key + "' given twice");
        texts[key] = decoded;
    }
    const auto& keys = lnf::StoryTextKeys();
    for (const std::string& k : keys) {
        if (!texts.count(k)) c.diag.error(file + ": needs the key '" + k + "'");
    }
    for (const auto& [k, v] : texts) {
        if (std::find(keys.begin(), keys.end(), k) == keys.end()) c.diag.error(file + ": unknown key '" + k + "'");
        c.out.resource(lnf::kTextResource, k, std::vector<uint8_t>(v.begin(), v.end()));
    }
}

void BuildStartRecord(Context& c) {
    lnf::GameStateRecord start{};
    start.clear();
    lnf::CopyBuiltInExits(start);
    start.Room = 4;
    start.ShownRoom = 4;
    std::vector<uint8_t> bytes(2 + sizeof(start));
    std::copy(lnf::kSaveMark.begin(), lnf::kSaveMark.end(), bytes.begin());
    std::memcpy(bytes.data() + 2, start.bytes(), sizeof(start));
    c.out.file("data/zerodata", bytes);
}

}  // namespace

// Lays a clip's transparent frames over the room picture cut to the clip's rectangle and
// writes them as JPEG pictures numbered from 0, for the video encoder.
//   contentc --clip ROOM.svg VARIANT X Y W H FRAMES_DIR OUT_DIR   (VARIANT "-" or "changed")
int ComposeClip(char** a) {
    std::string room = a[0], variant = a[1];
    int x = std::atoi(a[2]), y = std::atoi(a[3]), w = std::atoi(a[4]), h = std::atoi(a[5]);
    std::string frames = a[6], outDir = a[7];
    try {
        std::string css = variant == "-" ? std::string() : VariantCss(variant);
        lnf::Image background = ToImage(RenderSvg(room, lnf::kGrid.pictureWidth, lnf::kGrid.pictureHeight, css));
        lnf::Image crop(w, h, 3);
        // A rectangle may reach past the picture's edge (the cat-fish's does by a pixel): the
        // edge pixels repeat there.
        for (int yy = 0; yy < h; ++yy) {
            const uint8_t* src = background.row(std::clamp(y + yy, 0, background.height - 1));
            for (int xx = 0; xx < w; ++xx)
                std::copy_n(src + size_t(std::clamp(x + xx, 0, background.width - 1)) * 3, 3, crop.row(yy) + size_t(xx) * 3);
        }
        std::vector<fs::path> files;
        for (const auto& e : fs::directory_iterator(frames))
            if (e.path().extension() == ".svg") files.push_back(e.path());
        std::sort(files.begin(), files.end());
        if (files.empty()) throw std::runtime_error(frames + ": no frames");
        fs::create_directories(outDir);
        int n = 0;
        for (const fs::path& f : files) {
            Rgba frame = RenderSvg(f.string(), w, h);
            lnf::Image img = crop;
            for (size_t i = 0; i < size_t(w) * h; ++i) {
                const uint8_t* o = &frame.px[i * 4];
                for (int c = 0; c < 3; ++c) img.pixels[i * 3 + size_t(c)] = uint8_t((o[c] * o[3] + img.pixels[i * 3 + size_t(c)] * (255 - o[3])) / 255);
            }
            char name[32];
            std::snprintf(name, sizeof name, "/f%04d.jpg", n++);
            lnf::WriteFileAtomically(outDir + name, lnf::EncodeJpeg(img, 95));
        }
    } catch (const std::exception& e) {
        std::cerr << "content error: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 10 && std::string(argv[1]) == "--clip") return ComposeClip(argv + 2);
    if (argc == 3 && std::string(argv[1]) == "--print-table") return PrintTable(argv[2], std::cout) ? 0 : 2;
    if (argc == 4 && std::string(argv[1]) == "--check-room")
        return contentc::CheckRoomPicture(std::atoi(argv[2]), argv[3]) == 0 ? 0 : 1;
    std::string content, game, pack, words = kCommonWords, answersOnly;
    bool allowMissing = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
        if (a == "--content") content = next();
        else if (a == "--game") game = next();
        else if (a == "--pack") pack = next();
        else if (a == "--allow-missing") allowMissing = true;
        else if (a == "--words") words = next();
        else if (a == "--check-answers") answersOnly = next();
        else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (!answersOnly.empty()) {
        Diagnostics diag;
        CheckConversationAnswers(answersOnly, words, diag);
        return diag.errors() > 0 ? 1 : 0;
    }
    if (content.empty() || game.empty() || pack.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    Output out;
    Diagnostics diag;
    Context c{content, allowMissing, out, diag};
    BuildRooms(content, out, diag);
    BuildItems(c);
    BuildInterface(c);
    BuildStoryTexts(c);
    BuildStartRecord(c);
    BuildConversations(content, allowMissing, words, out, diag);
    CheckObjectsDoc(content + "/rooms/OBJECTS.md", diag);
    BuildPictures(content, allowMissing, out, diag);
    HintSources hints;
    bool haveHints = BuildHints(content, allowMissing, out, diag, hints);
    if (fs::exists(content + "/help/help.html")) {
        std::string html = Slurp(content + "/help/help.html");
        out.file("help/veska.html", std::vector<uint8_t>(html.begin(), html.end()));
    } else if (!allowMissing) {
        diag.error(content + "/help/help.html: missing");
    }
    if (diag.errors() > 0) {
        std::cerr << diag.errors() << " content error(s); nothing written\n";
        return 1;
    }
    try {
        for (const auto& [rel, bytes] : out.files) lnf::WriteFileAtomically(fs::path(game) / rel, bytes);
        std::vector<uint8_t> packBytes = lnf::ResourcePack::Build(out.resources);
        // The pack is written last and only when the hints answer every state of the walkthrough,
        // so a failed check makes the next build try again.
        if (haveHints && !CheckHints(hints, game, packBytes, diag)) {
            std::cerr << diag.errors() << " hint error(s); the resources were not written\n";
            return 1;
        }
        lnf::WriteFileAtomically(pack, packBytes);
    } catch (const std::exception& e) {
        std::cerr << "content error: " << e.what() << "\n";
        return 1;
    }
    std::cout << "content: " << out.files.size() << " game files, " << out.resources.size() << " resources\n";
    return 0;
}
