#include "conversation/conversation_data.h"

#include <stdexcept>

namespace lnf {

std::optional<LevelRecord> ParseLevelRecord(const std::vector<uint8_t>& b) {
    if (b.size() < kLevelRecordSize) return std::nullopt;
    LevelRecord r;
    r.FirstAsk = int8_t(b[0]);
    for (int k = 1; k <= 4; ++k) r.Resume[size_t(k)] = int8_t(b[size_t(k)]);
    r.LastLine = int8_t(b[5]);
    for (int k = 0; k < 5; ++k) r.RightLine[size_t(k)] = int8_t(b[6 + size_t(k)]);
    r.RightLine[5] = int8_t(b[11]);
    for (int k = 0; k < 5; ++k) r.WrongLine[size_t(k)] = int8_t(b[11 + size_t(k)]);
    for (int field = 0; field < 3; ++field) {
        for (int q = 0; q < 5; ++q) {
            size_t at = 16 + size_t(field) * 100 + size_t(q) * kAnswerField;
            std::string s;
            // The answer ends at its first zero, within its 20 bytes.
            for (size_t i = 0; i < kAnswerField; ++i) {
                uint8_t c = uint8_t(b[at + i] - 3);
                if (c == 0) break;
                s.push_back(char(c));
            }
            r.Answers[size_t(field)][size_t(q)] = s;
        }
    }
    return r;
}

std::vector<uint8_t> EncodeLevelRecord(const LevelRecord& r) {
    std::vector<uint8_t> b(kLevelRecordSize, 3);
    b[0] = uint8_t(r.FirstAsk);
    for (int k = 1; k <= 4; ++k) b[size_t(k)] = uint8_t(r.Resume[size_t(k)]);
    b[5] = uint8_t(r.LastLine);
    for (int k = 0; k < 5; ++k) b[6 + size_t(k)] = uint8_t(r.RightLine[size_t(k)]);
    for (int k = 0; k < 5; ++k) b[11 + size_t(k)] = uint8_t(r.WrongLine[size_t(k)]);
    for (int field = 0; field < 3; ++field) {
        for (int q = 0; q < 5; ++q) {
            const std::string& s = r.Answers[size_t(field)][size_t(q)];
            if (s.size() >= kAnswerField) throw std::invalid_argument("answer too long: " + s);
            size_t at = 16 + size_t(field) * 100 + size_t(q) * kAnswerField;
            for (size_t i = 0; i < s.size(); ++i) b[at + i] = uint8_t(uint8_t(s[i]) + 3);
        }
    }
    return b;
}

int AnswerLimitOf(const LevelRecord& r) {
    const int limits[5] = {0, 1, 11, 21, 31};
    for (int k = 1; k <= 4; ++k) {
        if (r.Resume[size_t(k)] == 0) return limits[k];
    }
    return 41;
}

int QuestionCount(const LevelRecord& r) { return (AnswerLimitOf(r) - 1) / 10 + 1; }

bool IntCheck(const std::string& text) {
    for (char c : text) {
        if (c >= '0' && c <= '9') return true;
    }
    return false;
}

bool CheckAnswers(const LevelRecord& r, const std::string& text, int q) {
    if (q < 0 || q > 4) return false;
    for (int field = 0; field < 3; ++field) {
        const std::string& a = r.Answers[size_t(field)][size_t(q)];
        if (a.empty()) continue;  // a stored empty field means "no answer"
        if (text == a) return true;
        if (a.size() >= 2 && !IntCheck(a) && text.find(a) != std::string::npos) return true;
    }
    return false;
}

const CharacterInfo& Character(int id) {
    static const CharacterInfo table[kCharacters] = {
        {"p2\\jabber.jpg", "data\\jabber"},  {"p2\\tove.jpg", "data\\tove"},   {"p1\\humdum.jpg", "data\\humpty"},
        {"p1\\queen.jpg", "data\\queen"},    {"p1\\fly.jpg", "data\\fly"},     {"p2\\borogove.jpg", "data\\borogove"},
        {"p1\\frog.jpg", "data\\frog"},
    };
    return table[id >= 0 && id < kCharacters ? id : 0];
}

const MeetingInfo& Meeting(int id) {
    static const MeetingInfo table[kMeetings] = {
        {"data\\deer.dlg", "p1\\deer.jpg", 0, 7, 0, "", 0},
        {"data\\woman.dlg", "p2\\ending1.jpg", 19, 35, 22, "p2\\ending2.jpg", 0},
        {"data\\woman.dlg", "p1\\woman.jpg", 0, 19, 0, "", 0},
        {"data\\humpty1.dlg", "p1\\humdum.jpg", 13, 20, 15, "p1\\humdum2.jpg", 17},
        {"data\\sunflower.dlg", "p1\\Sunflower.jpg", 7, 10, 0, "", 0},
        {"data\\rose.dlg", "p1\\rose.jpg", 0, 7, 0, "", 0},
        {"data\\Sunflower.dlg", "p1\\sunflower.jpg", 0, 7, 0, "", 0},
        {"data\\king.dlg", "p1\\king.jpg", 0, 7, 0, "", 0},
        {"data\\goat.dlg", "p1\\goat.jpg", 9, 12, 0, "", 0},
        {"data\\goat.dlg", "p1\\goat.jpg", 6, 9, 0, "", 0},
        {"data\\goat.dlg", "p1\\goat.jpg", 0, 6, 0, "", 0},
        {"data\\goat.dlg", "p1\\goat.jpg", 6, 9, 0, "", 0},
        {"data\\kitten.dlg", "p1\\kitten1.jpg", 0, 3, 2, "p1\\kitten2.jpg", 0},
        {"data\\frog1.dlg", "p1\\bigcat2.jpg", 21, 23, 0, "", 0},
        {"data\\alpaca.dlg", "p1\\alpaca.jpg", 13, 17, 0, "", 0},
        {"data\\alpaca.dlg", "p1\\alpaca.jpg", 6, 13, 0, "", 0},
        {"data\\alpaca.dlg", "p1\\alpaca.jpg", 0, 6, 0, "", 0},
    };
    return table[id >= 0 && id < kMeetings ? id : 0];
}

}  // namespace lnf
