#include "world/shifted_text.h"

#include <algorithm>
#include <cstring>

namespace lnf {

// Every room entry and every conversation decodes a whole text file, so both helpers work on
// runs of bytes rather than one appended character at a time.

namespace {
// The fuzz builds instrument every comparison with a callback, a loop's own test included; this
// loop decides nothing, so it is left out of that (and kept out of its callers, which are
// instrumented), or each room entry would pay thousands of calls.
#if defined(__clang__)
__attribute__((no_sanitize("coverage"), noinline))
#endif
void ShiftDown(char* text, size_t size) {
    for (size_t i = 0; i < size; ++i) text[i] = char(uint8_t(uint8_t(text[i]) - 3));
}
}  // namespace

std::string DecodeShifted(const std::vector<uint8_t>& stored, size_t limit) {
    size_t n = std::min(limit, stored.size());
    const uint8_t* p = stored.data();
    // The text ends at the stored end mark (0) or at a byte that decodes to 0 (3).
    if (const void* mark = n ? std::memchr(p, 0, n) : nullptr) n = size_t(static_cast<const uint8_t*>(mark) - p);
    if (const void* three = n ? std::memchr(p, 3, n) : nullptr) n = size_t(static_cast<const uint8_t*>(three) - p);
    std::string out(reinterpret_cast<const char*>(p), n);
    ShiftDown(out.data(), out.size());
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
    const char* at = text.data();
    const char* end = at + text.size();
    // The next CR and the next LF, each looked for again only once it has been passed.
    auto next = [&](char c) {
        const void* found = std::memchr(at, c, size_t(end - at));
        return found ? static_cast<const char*>(found) : end;
    };
    const char* cr = next('\r');
    const char* lf = next('\n');
    while (at < end) {
        if (cr < at) cr = next('\r');
        if (lf < at) lf = next('\n');
        const char* stop = std::min(cr, lf);
        lines.emplace_back(at, size_t(stop - at));
        if (stop == end) break;
        at = stop + (*stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
    }
    return lines;
}

}  // namespace lnf
