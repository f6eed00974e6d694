// Portraits, the intro and conclusion pictures, and the story-event pictures.
#include <filesystem>
#include <set>

#include "conversation/conversation_data.h"
#include "pictures/resources.h"
#include "steps.h"
#include "world/game_files.h"

namespace fs = std::filesystem;

namespace contentc {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Renders `overlay` (transparent, in the base picture's coordinates) over `base`, and cuts
// the piece from (x, y) to the last pixel the overlay draws.
lnf::Image Piece(const lnf::Image& base, const Rgba& overlay, int x, int y, const std::string& label,
                 Diagnostics& diag, int minRight = -1, int minBottom = -1) {
    int maxX = minRight, maxY = minBottom;
    for (int yy = 0; yy < overlay.height; ++yy) {
        for (int xx = 0; xx < overlay.width; ++xx) {
            if (overlay.alpha(xx, yy) == 0) continue;
            if (xx < x || yy < y) {
                diag.error(label + ": draws at (" + std::to_string(xx) + ", " + std::to_string(yy) +
                           "), above or left of its corner (" + std::to_string(x) + ", " + std::to_string(y) + ")");
                return lnf::Image();
            }
            maxX = std::max(maxX, xx);
            maxY = std::max(maxY, yy);
        }
    }
    if (maxX < x || maxY < y) {
        diag.error(label + ": draws nothing");
        return lnf::Image();
    }
    lnf::Image composed = base;
    for (int yy = 0; yy < composed.height; ++yy) {
        for (int xx = 0; xx < composed.width; ++xx) {
            const uint8_t* o = &overlay.px[(size_t(yy) * overlay.width + xx) * 4];
            uint8_t* p = composed.row(yy) + size_t(xx) * 3;
            for (int c = 0; c < 3; ++c) p[c] = uint8_t((o[c] * o[3] + p[c] * (255 - o[3])) / 255);
        }
    }
    lnf::Image piece(maxX - x + 1, maxY - y + 1, 3);
    for (int yy = 0; yy < piece.height; ++yy)
        std::copy_n(composed.row(y + yy) + size_t(x) * 3, size_t(piece.width) * 3, piece.row(yy));
    return piece;
}

}  // namespace

void BuildPictures(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag) {
    auto missing = [&](const std::string& what) {
        if (!allowMissing) diag.error(what + ": missing");
    };
    // Portraits: portraits/FOLDER_NAME.svg -> FOLDER/NAME.jpg, 320 x 300.
    std::set<std::string> made;
    std::string portraits = contentDir + "/portraits";
    if (fs::is_directory(portraits)) {
        for (const auto& entry : fs::directory_iterator(portraits)) {
            std::string stem = entry.path().stem().string();
            if (entry.path().extension() != ".svg" || stem.size() < 4 || stem[2] != '_') continue;
            std::string target = stem.substr(0, 2) + "/" + stem.substr(3) + ".jpg";
            try {
                out.file(target, lnf::EncodeJpeg(ToImage(RenderSvg(entry.path().string(), 320, 300)), kContentQuality));
                made.insert(Lower(target));
            } catch (const std::exception& e) {
                diag.error(e.what());
            }
        }
    }
    std::vector<std::string> needed;
    for (int c = 0; c < lnf::kCharacters; ++c) needed.push_back(lnf::Character(c).picture);
    for (int m = 0; m < lnf::kMeetings; ++m) {
        needed.push_back(lnf::Meeting(m).picture);
        if (lnf::Meeting(m).swapLine) needed.push_back(lnf::Meeting(m).swapPicture);
    }
    for (const char* p : {"p1\\bigcat.jpg", "p1\\humdum.jpg", "p2\\ending3.jpg", "p2\\ending4.jpg"}) needed.push_back(p);
    for (const std::string& n : needed) {
        if (!made.count(Lower(lnf::NormalizeGameName(n)))) missing(portraits + ": the portrait for " + n);
    }

    // The intro slides, its background, the conclusion and the black slide.
    struct Slide {
        const char* source;
        const char* target;
        int w, h;
    };
    const Slide slides[] = {
        {"intro/intro.svg", "intro/intro.jpg", 500, 300},      {"intro/bkgd.svg", "intro/bkgd.jpg", 1024, 648},
        {"intro/conclusion.svg", "p1/conclusion.jpg", 500, 300}, {"intro/black.svg", "p1/black.jpg", 500, 300},
    };
    auto slide = [&](const std::string& source, const std::string& target, int w, int h) {
        std::string file = contentDir + "/" + source;
        if (!fs::exists(file)) {
            missing(file);
            return;
        }
        try {
            out.file(target, lnf::EncodeJpeg(ToImage(RenderSvg(file, w, h)), kContentQuality));
        } catch (const std::exception& e) {
            diag.error(e.what());
        }
    };
    for (const Slide& s : slides) slide(s.source, s.target, s.w, s.h);
    for (int i = 1; i <= 9; ++i) {
        std::string n = std::to_string(i);
        slide("intro/intro" + n + ".svg", "intro/intro" + n + ".jpg", 500, 300);
    }

    // Story events: full pictures and overlays cut from their base rooms.
    std::string events = contentDir + "/events/";
    auto render = [&](const std::string& name, Rgba& into) {
        std::string file = events + name + ".svg";
        if (!fs::exists(file)) {
            missing(file);
            return false;
        }
        try {
            into = RenderSvg(file, lnf::kGrid.pictureWidth, lnf::kGrid.pictureHeight);
            return true;
        } catch (const std::exception& e) {
            diag.error(e.what());
            return false;
        }
    };
    auto room = [&](int n) {
        char nn[3] = {char('0' + n / 10), char('0' + n % 10), 0};
        return ToImage(RenderSvg(contentDir + "/rooms/r" + nn + ".svg", lnf::kGrid.pictureWidth, lnf::kGrid.pictureHeight));
    };
    Rgba pic;
    for (const char* name : {"cauldx", "cauld2", "cauld3", "cauld4"}) {
        if (render(name, pic)) out.resource(lnf::kJpegResource, name, lnf::EncodeJpeg(ToImage(pic), kContentQuality));
    }
    for (const char* name : {"jump1", "jump2"}) {
        if (render(name, pic)) out.file(std::string("p2/") + name, lnf::EncodeJpeg(ToImage(pic), kContentQuality));
    }
    try {
        auto overlay = [&](const char* name, const lnf::Image& base, int x, int y, lnf::Image* keep = nullptr) {
            if (!render(name, pic)) return;
            lnf::Image piece = Piece(base, pic, x, y, events + name + ".svg", diag);
            if (piece.empty()) return;
            if (keep) *keep = piece;
            out.resource(lnf::kJpegResource, name, lnf::EncodeJpeg(piece, kContentQuality));
        };
        if (fs::exists(events)) {
            const lnf::EventOverlay &knight = lnf::kKnightOverlay, &tree = lnf::kTreeOverlay;
            overlay(knight.name, room(knight.room), knight.x, knight.y);
            overlay(tree.name, room(tree.room), tree.x, tree.y);
            lnf::Image big;
            overlay("big", room(lnf::kMushroomRing), 0, 0, &big);
            if (!big.empty()) {
                lnf::Image full(lnf::kGrid.pictureWidth, lnf::kGrid.pictureHeight, 3);
                std::fill(full.pixels.begin(), full.pixels.end(), uint8_t(0));
                full.draw(big, 0, 0);
                const lnf::EventOverlay& eyes = lnf::kEyesOverlay;
                overlay((eyes.name + std::string("1")).c_str(), full, eyes.x, eyes.y);
                overlay((eyes.name + std::string("2")).c_str(), full, eyes.x, eyes.y);
            }
            // The Jabberwock's frames pile up: each covers at least what the ones before it did.
            const lnf::EventOverlay& jabber = lnf::kJabberwockOverlay;
            lnf::Image canyon = room(jabber.room);
            int right = -1, bottom = -1;
            for (int f = 1; f <= 10; ++f) {
                std::string src = jabber.name + std::string(f < 10 ? "0" : "") + std::to_string(f);
                if (!render(src, pic)) continue;
                lnf::Image piece = Piece(canyon, pic, jabber.x, jabber.y, events + src + ".svg", diag, right, bottom);
                if (piece.empty()) continue;
                right = jabber.x + piece.width - 1;
                bottom = piece.height - 1;
                out.resource(lnf::kJpegResource, jabber.name + std::to_string(f), lnf::EncodeJpeg(piece, kContentQuality));
            }
        } else {
            missing(events);
        }
    } catch (const std::exception& e) {
        diag.error(e.what());
    }
}

}  // namespace contentc
