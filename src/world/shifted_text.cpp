#include "world/shifted_text.h"

namespace lnf {

std::string DecodeShifted(const std::vector<uint8_t>& stored, size_t limit) {
    std::string out;
    size_t n = std::min(limit, stored.size());
    for (size_t i = 0; i < n; ++i) {
        uint8_t b = stored[i];
        if (b == 0) break;
        uint8_t c = uint8_t(b - 3);
        if (c == 0) break;
        out.push_back(char(c));
    }
    return out;
}

std::vector<uint8_t> EncodeShifted(const std::string& text) {
    std::vector<uint8_t> out;
    out.reserve(text.size() + 1);
    for (char c : text) out.push_back(uint8_t(uint8_t(c) + 3));
    out.push_back(0);
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty() || (lines.empty() && !text.empty())) lines.push_back(cur);
    return lines;
}

}  // namespace lnf
