// Rooms: the picture, the click grid that comes from the same drawing, the changed looks and
// their overlay pieces, and the room text with its checks against the rules.
#include "rooms.h"

#include "checks.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "interaction/tables.h"
#include "world/game_state.h"
#include "world/picture_tables.h"
#include "world/shifted_text.h"

namespace contentc {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::string();
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {
constexpr int kPictureW = lnf::kGrid.pictureWidth, kPictureH = lnf::kGrid.pictureHeight;
}  // namespace

std::string VariantCss(const std::string& variant) {
    std::string suffix = variant.substr(std::string("changed").size());  // "", "-a", "-b"
    return "#changed" + suffix + " { display: inline !important; }\n#unchanged" + suffix +
           " { display: none !important; }\n";
}

std::array<uint8_t, lnf::kCellsPerRecord> ComputeCells(const std::string& svgFile, const std::string& svgText,
                                                       Diagnostics& diag) {
    std::array<uint8_t, lnf::kCellsPerRecord> cells{};
    std::smatch m;
    int background = 0;
    if (std::regex_search(svgText, m, std::regex("data-background=\"([1-8])\""))) {
        background = std::stoi(m[1]);
    } else {
        diag.error(svgFile + ": the root element needs data-background=\"K\" (K = 1..8)");
        background = 1;
    }
    cells.fill(uint8_t(background));
    std::regex idPattern("id=\"(code([1-8])(-[A-Za-z0-9_-]+)?)\"");
    std::vector<std::pair<std::string, int>> groups;
    for (auto it = std::sregex_iterator(svgText.begin(), svgText.end(), idPattern); it != std::sregex_iterator();
         ++it) {
        groups.emplace_back((*it)[1], std::stoi((*it)[2]));
    }
    for (const auto& [id, code] : groups) {
        std::string css = "* { visibility: hidden !important; }\n#" + id + ", #" + id +
                          " * { visibility: visible !important; }\n.hit { opacity: 1 !important; }\n";
        Rgba mask = RenderSvg(svgFile, kPictureW, kPictureH, css);
        bool any = false;
        for (int col = 0; col < lnf::kGridColumns; ++col) {
            for (int row = 0; row < lnf::kGridRows; ++row) {
                double cw = lnf::kGrid.drawnCellWidth, ch = lnf::kGrid.drawnCellHeight;
                int x0 = int(std::floor(col * cw)), x1 = std::min(kPictureW, int(std::floor((col + 1) * cw)));
                int y0 = int(row * ch), y1 = std::min(kPictureH, int((row + 1) * ch));
                if (y0 >= y1 || x0 >= x1) continue;
                double sum = 0;
                for (int y = y0; y < y1; ++y)
                    for (int x = x0; x < x1; ++x) sum += mask.alpha(x, y);
                double coverage = sum / (255.0 * (x1 - x0) * (y1 - y0));
                if (coverage >= lnf::kCellCoverage) {
                    cells[size_t(lnf::CellNumber(col, row))] = uint8_t(code);
                    any = true;
                }
            }
        }
        if (!any) diag.error(svgFile + ": group " + id + " covers no cell of the click grid");
    }
    return cells;
}

RoomText ParseRoomText(const std::string& file, Diagnostics& diag) {
    RoomText text;
    std::ifstream in(file);
    if (!in) {
        diag.error(file + ": missing");
        return text;
    }
    std::regex linePattern(R"(^(look|do)\s+([1-8])\.([0-2])\s*:\s?(.*)$|^use\s+([1-5])\s*:\s?(.*)$)");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string trimmed = line;
        trimmed.erase(0, trimmed.find_first_not_of(" "));
        if (trimmed.empty() || trimmed[0] == '#') continue;
        std::smatch m;
        if (!std::regex_match(line, m, linePattern)) {
            diag.error(file + ":" + std::to_string(number) + ": not a 'look C.S:', 'do C.S:' or 'use C:' line");
            continue;
        }
        int index;
        std::string body;
        if (m[1].matched) {
            int c = std::stoi(m[2]), s = std::stoi(m[3]);
            index = (c - 1) + 8 * s + (m[1] == "do" ? 24 : 0);
            body = m[4];
        } else {
            index = std::stoi(m[5]) + 47;
            body = m[6];
        }
        while (!body.empty() && body.back() == ' ') body.pop_back();
        if (body == "~") body.clear();
        else if (body.empty()) diag.error(file + ":" + std::to_string(number) + ": empty line (write ~ for a deliberately empty one)");
        for (unsigned char ch : body) {
            if (ch < 32 || ch > 126) {
                diag.error(file + ":" + std::to_string(number) + ": only printable ASCII is allowed");
                break;
            }
        }
        if (body.size() > 200) diag.error(file + ":" + std::to_string(number) + ": longer than 200 characters");
        if (text.defined.count(index)) diag.error(file + ":" + std::to_string(number) + ": line given twice");
        text.defined.insert(index);
        text.lines[size_t(index)] = body;
    }
    return text;
}

std::vector<uint8_t> EncodeRoomText(const RoomText& text) {
    int last = -1;
    for (int i = 0; i < 53; ++i) {
        if (text.defined.count(i)) last = i;
    }
    std::string joined;
    for (int i = 0; i <= last; ++i) {
        if (i > 0) joined += "\r\n";
        joined += text.lines[size_t(i)];
    }
    return lnf::EncodeShifted(joined);
}

void CheckRoomText(int room, const std::array<uint8_t, lnf::kCellsPerRecord>& cells, const RoomText& text,
                   const std::string& file, Diagnostics& diag) {
    std::set<int> present;
    for (int i = 0; i < 629; ++i) present.insert(cells[size_t(i)]);
    std::set<std::string> reported;
    auto need = [&](int index, const std::string& what) {
        if (!text.defined.count(index) && reported.insert(what).second)
            diag.error(file + ": needs the line '" + what + "'");
    };
    auto lookDo = [&](int c, int s) {
        need((c - 1) + 8 * s, "look " + std::to_string(c) + "." + std::to_string(s));
        need((c - 1) + 8 * s + 24, "do " + std::to_string(c) + "." + std::to_string(s));
    };
    auto drawn = [&](int c, const std::string& why) {
        if (!present.count(c) && reported.insert("code" + std::to_string(c)).second)
            diag.error(file + ": object code " + std::to_string(c) + " (" + why + ") is not drawn in the picture");
    };
    for (int c : present) lookDo(c, 0);
    for (const lnf::ObjectStates& o : lnf::RuleObjects()) {
        if (o.room != room) continue;
        drawn(o.code, "a rule acts on it");
        for (int s : o.states) lookDo(o.code, s);
    }
    for (int line : lnf::DoTable(room)) {
        if (line == 0) continue;
        int c = (line - 24) % 8 + 1, s = (line - 24) / 8;
        drawn(c, "the Do table names it");
        lookDo(c, s);
    }
    // Every Use code needs its line; where several codes lead to one rule, drawing one of
    // them is enough for the player to reach it.
    bool anyUseDrawn = false, anyUse = false;
    for (int c : lnf::UseTable(room)) {
        if (c == 0) continue;
        anyUse = true;
        anyUseDrawn = anyUseDrawn || present.count(c) > 0;
        need(c + 47, "use " + std::to_string(c));
    }
    if (anyUse && !anyUseDrawn) diag.error(file + ": none of the room's Use codes is drawn in the picture");
    std::vector<uint8_t> encoded = EncodeRoomText(text);
    if (encoded.size() > 3300) diag.error(file + ": the room text is " + std::to_string(encoded.size()) + " bytes (at most 3300)");
}

std::optional<lnf::Image> CutPiece(const std::string& svg, const std::string& svgText, const Rgba& base,
                                   const lnf::OverlayPiece& p, Diagnostics& diag) {
    if (svgText.find(std::string("id=\"") + p.look + "\"") == std::string::npos) {
        diag.error(svg + ": needs the changed look <g id=\"" + p.look + "\">");
        return std::nullopt;
    }
    Rgba changed = RenderSvg(svg, kPictureW, kPictureH, VariantCss(p.look));
    int minX = kPictureW, minY = kPictureH, maxX = -1, maxY = -1;
    for (int y = 0; y < kPictureH; ++y) {
        for (int x = 0; x < kPictureW; ++x) {
            const uint8_t* a = &base.px[(size_t(y) * kPictureW + x) * 4];
            const uint8_t* b = &changed.px[(size_t(y) * kPictureW + x) * 4];
            if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 12) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
        }
    }
    if (maxX < 0) {
        diag.error(svg + ": the look '" + p.look + "' does not change the picture");
        return std::nullopt;
    }
    if (minX < p.x || minY < p.y) {
        diag.error(svg + ": the look '" + p.look + "' changes pixels at (" + std::to_string(minX) + ", " +
                   std::to_string(minY) + "), outside its piece starting at (" + std::to_string(p.x) + ", " +
                   std::to_string(p.y) + ")");
        return std::nullopt;
    }
    lnf::Image whole = ToImage(changed);
    lnf::Image piece(maxX - p.x + 1, maxY - p.y + 1, 3);
    for (int y = 0; y < piece.height; ++y)
        std::copy_n(whole.row(p.y + y) + size_t(p.x) * 3, size_t(piece.width) * 3, piece.row(y));
    return piece;
}

void BuildRooms(const std::string& contentDir, Output& out, Diagnostics& diag) {
    std::vector<uint8_t> records(size_t(lnf::kRooms) * lnf::kCellsPerRecord, 1);
    for (int room = 1; room <= lnf::kRooms; ++room) {
        char nn[3] = {char('0' + room / 10), char('0' + room % 10), 0};
        std::string svg = contentDir + "/rooms/r" + nn + ".svg";
        std::string txt = contentDir + "/rooms/r" + nn + ".txt";
        std::string svgText = Slurp(svg);
        if (svgText.empty()) {
            diag.error(svg + ": missing");
            continue;
        }
        try {
            Rgba base = RenderSvg(svg, kPictureW, kPictureH);
            lnf::Image picture = ToImage(base);
            std::vector<uint8_t> jpeg = lnf::EncodeJpeg(picture, kContentQuality);
            if (room <= 25) out.resource(lnf::kJpegResource, std::string("R") + nn, jpeg);
            else out.file(std::string("p2/") + nn + ".jpg", jpeg);

            auto cells = ComputeCells(svg, svgText, diag);
            std::copy(cells.begin(), cells.end(), records.begin() + long(room - 1) * lnf::kCellsPerRecord);
            RoomText text = ParseRoomText(txt, diag);
            CheckRoomText(room, cells, text, txt, diag);
            CheckExitMarks(room, svg, svgText, diag);
            CheckTargetSizes(room, cells, svg, diag);
            out.file(std::string("data/grid") + nn + ".dlg", EncodeRoomText(text));

            for (const lnf::OverlayPiece& p : lnf::OverlayPieces()) {
                if (p.room != room) continue;
                if (auto piece = CutPiece(svg, svgText, base, p, diag))
                    out.file(lnf::FolderPath(p.piece), lnf::EncodeJpeg(*piece, kContentQuality));
            }
        } catch (const std::exception& e) {
            diag.error(e.what());
        }
    }
    out.file("2grdata.", records);
}

lnf::Image ToImage(const Rgba& rgba, lnf::Rgb background) {
    lnf::Image img(rgba.width, rgba.height, 3);
    for (size_t i = 0, n = size_t(rgba.width) * rgba.height; i < n; ++i) {
        const uint8_t* p = &rgba.px[i * 4];
        int a = p[3];
        img.pixels[i * 3] = uint8_t((p[0] * a + background.r * (255 - a)) / 255);
        img.pixels[i * 3 + 1] = uint8_t((p[1] * a + background.g * (255 - a)) / 255);
        img.pixels[i * 3 + 2] = uint8_t((p[2] * a + background.b * (255 - a)) / 255);
    }
    return img;
}

}  // namespace contentc
