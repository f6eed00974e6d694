#include "pictures/resources.h"

#include <cctype>
#include <cstring>

namespace lnf {
namespace {
constexpr char kMagic[8] = {'L', 'N', 'F', 'P', 'A', 'C', 'K', '1'};

uint32_t ReadU32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
}  // namespace

std::string ResourcePack::Key(const std::string& type, const std::string& name) {
    std::string k = type + '/' + name;
    for (char& c : k) c = char(std::toupper(static_cast<unsigned char>(c)));
    return k;
}

ResourcePack::ResourcePack(std::span<const uint8_t> bytes) : bytes_(bytes) {
    auto fail = [] { throw ResourceError("The program's resources are damaged"); };
    if (bytes.size() < 12 || std::memcmp(bytes.data(), kMagic, 8) != 0) fail();
    uint32_t count = ReadU32(bytes, 8);
    size_t at = 12;
    for (uint32_t i = 0; i < count; ++i) {
        if (at >= bytes.size()) fail();
        size_t tl = bytes[at++];
        if (at + tl + 1 > bytes.size()) fail();
        std::string type(reinterpret_cast<const char*>(&bytes[at]), tl);
        at += tl;
        size_t nl = bytes[at++];
        if (at + nl + 8 > bytes.size()) fail();
        std::string name(reinterpret_cast<const char*>(&bytes[at]), nl);
        at += nl;
        uint32_t off = ReadU32(bytes, at), size = ReadU32(bytes, at + 4);
        at += 8;
        if (uint64_t(off) + size > bytes.size()) fail();
        index_[Key(type, name)] = {off, size};
        names_.emplace_back(type, name);
    }
}

std::optional<std::span<const uint8_t>> ResourcePack::find(const std::string& type, const std::string& name) const {
    auto it = index_.find(Key(type, name));
    if (it == index_.end()) return std::nullopt;
    return bytes_.subspan(it->second.first, it->second.second);
}

std::span<const uint8_t> ResourcePack::get(const std::string& type, const std::string& name) const {
    auto r = find(type, name);
    if (!r) throw ResourceError("Resource " + name + " of type " + type + " not found");
    return *r;
}

std::vector<std::pair<std::string, std::string>> ResourcePack::list() const { return names_; }

std::vector<uint8_t> ResourcePack::Build(
    const std::map<std::pair<std::string, std::string>, std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> head(kMagic, kMagic + 8);
    PutU32(head, uint32_t(entries.size()));
    size_t headerSize = head.size();
    for (const auto& [key, data] : entries) headerSize += 2 + key.first.size() + key.second.size() + 8;
    std::vector<uint8_t> body;
    for (const auto& [key, data] : entries) {
        if (key.first.size() > 255 || key.second.size() > 255) throw ResourceError("Resource name too long");
        head.push_back(uint8_t(key.first.size()));
        head.insert(head.end(), key.first.begin(), key.first.end());
        head.push_back(uint8_t(key.second.size()));
        head.insert(head.end(), key.second.begin(), key.second.end());
        PutU32(head, uint32_t(headerSize + body.size()));
        PutU32(head, uint32_t(data.size()));
        body.insert(body.end(), data.begin(), data.end());
        while (body.size() % 4) body.push_back(0);
    }
    head.insert(head.end(), body.begin(), body.end());
    return head;
}

}  // namespace lnf
