// Resources inside the program: pictures, bitmaps, cursors and texts, found by type and name
// without regard to case.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace lnf {

class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Types used by the game.
inline constexpr const char* kJpegResource = "JPEG";      // JPEG bytes
inline constexpr const char* kBitmapResource = "BITMAP";  // PNG bytes
inline constexpr const char* kCursorResource = "CURSOR";  // hot spot x, y (one byte each), PNG bytes
inline constexpr const char* kPngResource = "PNG";        // PNG bytes with transparency
inline constexpr const char* kTextResource = "TEXT";      // plain text

// The pack: "LNFPACK1", u32 count, then per entry u8 type length, type, u8 name length,
// name, u32 offset, u32 size (offsets from the start of the pack), then the data.
class ResourcePack {
public:
    ResourcePack() = default;
    explicit ResourcePack(std::span<const uint8_t> bytes);  // throws ResourceError if malformed

    std::optional<std::span<const uint8_t>> find(const std::string& type, const std::string& name) const;
    // Throws ResourceError naming the resource.
    std::span<const uint8_t> get(const std::string& type, const std::string& name) const;
    std::vector<std::pair<std::string, std::string>> list() const;

    // Builds a pack (used by the content compiler and by tests).
    static std::vector<uint8_t> Build(const std::map<std::pair<std::string, std::string>, std::vector<uint8_t>>& entries);

private:
    static std::string Key(const std::string& type, const std::string& name);
    std::span<const uint8_t> bytes_;
    std::map<std::string, std::pair<uint32_t, uint32_t>> index_;
    std::vector<std::pair<std::string, std::string>> names_;
};

// The pack linked into the program (defined by the embedded-resources library).
const ResourcePack& EmbeddedResources();

}  // namespace lnf
