// Blanks around a word or a line of the game's hand-written data files.
#pragma once

#include <string>

namespace lnf {

inline std::string TrimBlanks(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace lnf
