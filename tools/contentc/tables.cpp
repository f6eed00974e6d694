// The core's shared tables as the build scripts read them, and the room notes checked
// against them.
#include <fstream>
#include <map>
#include <ostream>
#include <regex>
#include <sstream>

#include "steps.h"
#include "world/picture_tables.h"

namespace contentc {

bool PrintTable(const std::string& name, std::ostream& out) {
    if (name == "grid") {
        const lnf::GridGeometry& g = lnf::kGrid;
        out << "columns\trows\tcell_width\tcell_height\tpicture_width\tpicture_height\tcoverage\n"
            << g.columns << '\t' << g.rows << '\t' << g.drawnCellWidth << '\t' << g.drawnCellHeight << '\t'
            << g.pictureWidth << '\t' << g.pictureHeight << '\t' << lnf::kCellCoverage << '\n';
        return true;
    }
    if (name == "exits") {
        out << "room\tdirection\tleft\ttop\twidth\theight\tto\tstory\n";
        const lnf::ExitMap& map = lnf::BuiltInExits();
        const std::array<int8_t, 33>* targets[4] = {&map.north, &map.south, &map.east, &map.west};
        for (int room = 1; room <= lnf::kRooms; ++room) {
            for (int d = 0; d < 4; ++d) {
                const lnf::AreaRect& r = lnf::ExitAreas()[size_t(room)][size_t(d)];
                if (r.width == 0) continue;
                bool story = lnf::IsStoryExit(room, lnf::Direction(d));
                out << room << '\t' << lnf::kDirectionNames[d] << '\t' << r.left << '\t' << r.top << '\t' << r.width
                    << '\t' << r.height << '\t' << int((*targets[d])[size_t(room)]) << '\t' << (story ? 1 : 0) << '\n';
            }
        }
        return true;
    }
    if (name == "pieces") {
        out << "room\tlook\tpiece\tx\ty\tcomposed\n";
        for (const lnf::OverlayPiece& p : lnf::OverlayPieces())
            out << p.room << '\t' << p.look << '\t' << lnf::FolderPath(p.piece) << '\t' << p.x << '\t' << p.y << '\t'
                << lnf::FolderPath(p.composed) << '\n';
        return true;
    }
    if (name == "clips") {
        out << "name\troom\tlook\tx\ty\twidth\theight\tfile\n";
        for (const lnf::ClipRect& c : lnf::Clips())
            out << c.name << '\t' << c.room << '\t' << c.look << '\t' << c.x << '\t' << c.y << '\t' << c.width << '\t'
                << c.height << '\t' << lnf::FolderPath(c.file) << '\n';
        return true;
    }
    return false;
}

void CheckObjectsDoc(const std::string& file, Diagnostics& diag) {
    std::ifstream in(file);
    if (!in) {
        diag.error(file + ": missing");
        return;
    }
    // The notes of each room, by the number of its "## NN" heading.
    std::map<int, std::string> rooms;
    std::string line;
    int room = 0;
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_match(line, m, std::regex(R"(## (\d\d) .*)"))) room = std::stoi(m[1]);
        else if (room > 0) rooms[room] += line + "\n";
    }
    const std::regex exitPattern(R"((north|south|east|west) (\(cond\) )?(\d+),(\d+),(\d+),(\d+) -> (\d+))");
    const std::regex cornerPattern(R"(corner (\d+),(\d+))");
    for (int r = 1; r <= lnf::kRooms; ++r) {
        std::string where = file + ": room " + std::to_string(r);
        if (!rooms.count(r)) {
            diag.error(where + " has no notes");
            continue;
        }
        const std::string& notes = rooms[r];
        size_t exitsAt = notes.find("Exits:");
        size_t objectsAt = notes.find("\nObjects:");
        std::string exits = exitsAt == std::string::npos ? std::string() : notes.substr(exitsAt, objectsAt - exitsAt);
        std::array<bool, 4> described{};
        for (auto it = std::sregex_iterator(exits.begin(), exits.end(), exitPattern); it != std::sregex_iterator(); ++it) {
            const std::smatch& m = *it;
            int d = 0;
            while (m[1] != lnf::kDirectionNames[d]) ++d;
            described[size_t(d)] = true;
            lnf::AreaRect area{int16_t(std::stoi(m[3])), int16_t(std::stoi(m[4])), int16_t(std::stoi(m[5])),
                               int16_t(std::stoi(m[6]))};
            std::string what = where + " " + std::string(m[1]);
            if (!(area == lnf::ExitAreas()[size_t(r)][size_t(d)])) diag.error(what + ": the area is not the game's");
            bool story = lnf::IsStoryExit(r, lnf::Direction(d));
            if (m[2].matched != story) diag.error(what + ": '(cond)' must mark exactly the exits the story opens");
            const lnf::ExitMap& map = lnf::BuiltInExits();
            const std::array<int8_t, 33>* targets[4] = {&map.north, &map.south, &map.east, &map.west};
            if (!story && std::stoi(m[7]) != (*targets[d])[size_t(r)]) diag.error(what + ": it leads elsewhere in the game");
        }
        for (int d = 0; d < 4; ++d) {
            if (!described[size_t(d)] && lnf::ExitAreas()[size_t(r)][size_t(d)].width != 0)
                diag.error(where + " " + lnf::kDirectionNames[d] + ": the exit is not described");
        }
        std::vector<std::pair<int, int>> corners, pieces;
        for (auto it = std::sregex_iterator(notes.begin(), notes.end(), cornerPattern); it != std::sregex_iterator(); ++it)
            corners.emplace_back(std::stoi((*it)[1]), std::stoi((*it)[2]));
        for (const lnf::OverlayPiece& p : lnf::OverlayPieces()) {
            if (p.room == r) pieces.emplace_back(p.x, p.y);
        }
        if (corners != pieces) diag.error(where + ": the changed-look corners are not the game's overlay pieces");
    }
}

}  // namespace contentc
