// The content compiler's shared pieces and the rooms step.
#pragma once

#include <array>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pictures/image.h"
#include "pictures/jpeg.h"
#include "pictures/resources.h"
#include "svg.h"
#include "world/game_state.h"
#include "world/picture_tables.h"

namespace contentc {

constexpr int kContentQuality = 92;

class Diagnostics {
public:
    void error(const std::string& message) {
        std::cerr << "content error: " << message << "\n";
        messages_.push_back(message);
    }
    int errors() const { return int(messages_.size()); }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};

// The whole of a file, or nothing if it cannot be read.
std::string Slurp(const std::string& path);
// The stylesheet that shows a room drawing's changed look (group `changed`, `changed-a`, ...).
std::string VariantCss(const std::string& variant);

// Everything the compiler makes: resources for the program and files for the game folder.
struct Output {
    std::map<std::pair<std::string, std::string>, std::vector<uint8_t>> resources;
    std::map<std::string, std::vector<uint8_t>> files;
    void resource(const std::string& type, const std::string& name, std::vector<uint8_t> bytes) {
        resources[{type, name}] = std::move(bytes);
    }
    void file(const std::string& path, std::vector<uint8_t> bytes) { files[path] = std::move(bytes); }
};

struct RoomText {
    std::array<std::string, 53> lines;
    std::set<int> defined;
};

lnf::Image ToImage(const Rgba& rgba, lnf::Rgb background = {255, 255, 255});
std::array<uint8_t, lnf::kCellsPerRecord> ComputeCells(const std::string& svgFile, const std::string& svgText,
                                                       Diagnostics& diag);
RoomText ParseRoomText(const std::string& file, Diagnostics& diag);
std::vector<uint8_t> EncodeRoomText(const RoomText& text);
void CheckRoomText(int room, const std::array<uint8_t, lnf::kCellsPerRecord>& cells, const RoomText& text,
                   const std::string& file, Diagnostics& diag);
// The overlay piece of a changed look, cut from the room's drawing: everything the look
// changes must lie right of and below the piece's corner.
std::optional<lnf::Image> CutPiece(const std::string& svgFile, const std::string& svgText, const Rgba& base,
                                   const lnf::OverlayPiece& piece, Diagnostics& diag);
void BuildRooms(const std::string& contentDir, Output& out, Diagnostics& diag);

}  // namespace contentc
