// The room picture checks: ways out drawn inside their exit areas, and click targets a player
// can hit.
#include "checks.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "interaction/tables.h"
#include "world/picture_tables.h"

namespace contentc {

namespace {


std::string RectText(const lnf::AreaRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
}

}  // namespace

void CheckExitMarks(int room, const std::string& svgFile, const std::string& svgText, Diagnostics& diag) {
    for (int d = 0; d < 4; ++d) {
        const std::string name = std::string("exit-") + lnf::kDirectionNames[d];
        const lnf::AreaRect area =
            room >= 1 && room <= lnf::kRooms ? lnf::ExitAreas()[size_t(room)][size_t(d)] : lnf::AreaRect{0, 0, 0, 0};
        std::regex idPattern("id=\"(" + name + "(-[A-Za-z0-9_-]+)?)\"");
        std::vector<std::string> ids;
        for (auto it = std::sregex_iterator(svgText.begin(), svgText.end(), idPattern); it != std::sregex_iterator();
             ++it) {
            ids.push_back((*it)[1]);
        }
        if (area.width == 0) {
            if (!ids.empty())
                diag.error(svgFile + ": group " + ids.front() + " marks a way out, but the room has no " +
                           lnf::kDirectionNames[d] + " exit");
            continue;
        }
        if (ids.empty()) {
            diag.error(svgFile + ": the " + lnf::kDirectionNames[d] + " exit (area " + RectText(area) +
                       ") needs its drawn way out marked with a group id=\"" + name + "\"");
            continue;
        }
        // Traced outlines (class "hit", invisible in the picture) count like drawn shapes.
        std::string css = "* { visibility: hidden !important; }\n";
        for (const std::string& id : ids) css += "#" + id + ", #" + id + " * { visibility: visible !important; }\n";
        css += ".hit { opacity: 1 !important; }\n";
        Rgba mask = RenderSvg(svgFile, 792, 392, css);
        // Count drawn pixels, not alpha: filtered layers that stay hidden still leave a faint
        // haze of nearly transparent pixels over the whole picture.
        long total = 0, inside = 0;
        const int x0 = std::max(0, int(area.left)), x1 = std::min(792, int(area.left) + area.width);
        const int y0 = std::max(0, int(area.top)), y1 = std::min(392, int(area.top) + area.height);
        for (int y = 0; y < 392; ++y) {
            for (int x = 0; x < 792; ++x) {
                if (mask.alpha(x, y) < 128) continue;
                ++total;
                if (x >= x0 && x < x1 && y >= y0 && y < y1) ++inside;
            }
        }
        if (total == 0) {
            diag.error(svgFile + ": group " + name + " draws nothing");
            continue;
        }
        const double share = double(inside) / double(total);
        if (share < 0.5) {
            diag.error(svgFile + ": the " + lnf::kDirectionNames[d] + " exit area " + RectText(area) + " covers only " +
                       std::to_string(int(share * 100)) + "% of the drawn way out " + name +
                       " (at least half of it must lie inside the area)");
        }
    }
}

void CheckTargetSizes(int room, const std::array<uint8_t, lnf::kCellsPerRecord>& cells, const std::string& svgFile,
                      Diagnostics& diag) {
    std::set<int> needed;
    for (const lnf::ObjectStates& o : lnf::RuleObjects()) {
        if (o.room == room) needed.insert(o.code);
    }
    for (int code : needed) {
        int count = int(std::count(cells.begin(), cells.end(), uint8_t(code)));
        // An object drawn nowhere is reported by the room text check.
        if (count > 0 && count < kMinTargetCells) {
            diag.error(svgFile + ": object code " + std::to_string(code) + " covers " + std::to_string(count) +
                       " cells of the click grid; an object a rule acts on needs at least " +
                       std::to_string(kMinTargetCells));
        }
    }
}

int CheckRoomPicture(int room, const std::string& svgFile) {
    Diagnostics diag;
    std::ifstream in(svgFile, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string svgText = s.str();
    if (room < 1 || room > lnf::kRooms || svgText.empty()) {
        diag.error(svgFile + ": missing, or room " + std::to_string(room) + " is not 1.." + std::to_string(lnf::kRooms));
        return diag.errors();
    }
    try {
        auto cells = ComputeCells(svgFile, svgText, diag);
        CheckExitMarks(room, svgFile, svgText, diag);
        CheckTargetSizes(room, cells, svgFile, diag);
    } catch (const std::exception& e) {
        diag.error(e.what());
    }
    return diag.errors();
}

}  // namespace contentc
