// The game's text files store every byte increased by 3 (modulo 256), ended by a stored 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lnf {

// Undoes the shift of `stored`, reading at most `limit` bytes: the text ends at the stored
// end mark, at a byte that decodes to 0, at the end of the bytes or at the limit, whichever
// comes first.
std::string DecodeShifted(const std::vector<uint8_t>& stored, size_t limit);
// Shifts `text` and appends the end mark.
std::vector<uint8_t> EncodeShifted(const std::string& text);
// Splits decoded text into lines at CR LF (a lone CR or LF also ends a line).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace lnf
