// The data side of conversations: question records, answer checking, and which file and
// picture each conversation uses.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lnf {

constexpr size_t kLevelRecordSize = 316;
constexpr size_t kConvTextSize = 6400;
constexpr size_t kAnswerField = 20;

// One question conversation's record in "data\LevelN.dlg" (answers already unshifted).
struct LevelRecord {
    int8_t FirstAsk = 0;
    std::array<int8_t, 5> Resume{};  // Resume[1..4]; [0] unused
    int8_t LastLine = 0;
    std::array<int8_t, 6> RightLine{};  // [0..4]; [5] is the byte after (WrongLine[0])
    std::array<int8_t, 5> WrongLine{};
    std::array<std::array<std::string, 5>, 3> Answers;  // [field][question]
};

// Reads a record from its 316 stored bytes; nullopt when fewer bytes were read.
std::optional<LevelRecord> ParseLevelRecord(const std::vector<uint8_t>& bytes);
// The 316 stored bytes of a record (answers shifted, fields zero-padded).
std::vector<uint8_t> EncodeLevelRecord(const LevelRecord& record);
// 1, 11, 21, 31 or 41: the highest question state at which answers are still expected.
int AnswerLimitOf(const LevelRecord& record);
int QuestionCount(const LevelRecord& record);

bool IntCheck(const std::string& text);
// A typed answer is right if it equals a stored one, or if a stored word answer of two or
// more characters without digits appears inside it. An empty stored field is no answer.
bool CheckAnswers(const LevelRecord& record, const std::string& text, int question);

struct CharacterInfo {
    const char* picture;
    const char* baseName;  // + level + ".dlg"
};
const CharacterInfo& Character(int id);  // 0..6

struct MeetingInfo {
    const char* file;
    const char* picture;
    int first;
    int stop;
    int swapLine;  // 0 = none
    const char* swapPicture;
    int backLine;  // 0 = none
};
const MeetingInfo& Meeting(int id);  // 0..16
constexpr int kMeetings = 17;
constexpr int kCharacters = 7;

}  // namespace lnf
