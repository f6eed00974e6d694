// Conversations: each source becomes a shifted text file; the question sections also become
// the records of "data/Level1.dlg" and "data/Level2.dlg". The checks make sure every line a
// meeting or a question record names is where it must be.
#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "conversation/conversation_data.h"
#include "steps.h"
#include "world/shifted_text.h"

namespace contentc {

namespace {

struct Source {
    std::string file;
    std::vector<std::string> lines;                 // game lines
    std::map<int, std::pair<int, int>> meetings;    // meeting id -> first index, count
    // The question section, by game line index.
    bool hasQuestions = false;
    std::vector<int> questionLines, replyLines, wrongLines;
    std::vector<std::array<std::string, 3>> answers;
    int lastLine = -1;
};

Source Parse(const std::string& path, const std::string& label, Diagnostics& diag) {
    Source src;
    src.file = label;
    std::ifstream in(path);
    std::string line, section;
    int sectionMeeting = -1, number = 0;
    bool afterReply = true;  // a Q: may start the questions, or follow an R:
    auto err = [&](const std::string& m) { diag.error(label + ":" + std::to_string(number) + ": " + m); };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::smatch m;
        if (std::regex_match(line, m, std::regex(R"(\[(meeting) (\d+)\]|\[(questions|wrong|spare)\])"))) {
            if (m[1].matched) {
                section = "meeting";
                sectionMeeting = std::stoi(m[2]);
                if (src.meetings.count(sectionMeeting)) err("meeting " + std::string(m[2]) + " given twice");
                src.meetings[sectionMeeting] = {int(src.lines.size()), 0};
            } else {
                section = m[3];
                if (section == "questions") {
                    if (src.hasQuestions) err("a second [questions] section");
                    src.hasQuestions = true;
                }
            }
            continue;
        }
        if (section.empty()) {
            err("a line before any [section]");
            continue;
        }
        for (unsigned char ch : line) {
            if (ch < 32 || ch > 126) {
                err("only printable ASCII is allowed");
                break;
            }
        }
        std::string body = line;
        std::string mark = line.size() >= 2 && line[1] == ':' ? line.substr(0, 1) : "";
        if (!mark.empty() && std::string("QARW").find(mark) != std::string::npos) {
            body = line.substr(2);
            if (!body.empty() && body[0] == ' ') body.erase(0, 1);
        } else {
            mark.clear();
        }
        if (mark == "A") {
            if (section != "questions" || src.questionLines.size() != src.answers.size() + 1) {
                err("an A: line must follow its Q: line");
                continue;
            }
            std::array<std::string, 3> a;
            size_t start = 0;
            int k = 0;
            for (;;) {
                size_t bar = body.find('|', start);
                std::string one = body.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
                one.erase(0, one.find_first_not_of(' '));
                while (!one.empty() && one.back() == ' ') one.pop_back();
                if (k < 3) a[size_t(k)] = one;
                ++k;
                if (bar == std::string::npos) break;
                start = bar + 1;
            }
            if (k != 3) err("a question needs exactly three answers");
            for (const std::string& one : a) {
                if (one.empty() || one.size() > 19) err("an answer must be 1 to 19 characters: '" + one + "'");
                for (char ch : one) {
                    if (ch >= 'a' && ch <= 'z') {
                        err("answers are upper case: '" + one + "'");
                        break;
                    }
                }
            }
            src.answers.push_back(a);
            continue;
        }
        if (body.size() > 240) err("longer than 240 characters");
        int index = int(src.lines.size());
        src.lines.push_back(body);
        if (section == "meeting") src.meetings[sectionMeeting].second++;
        if (section == "questions" || section == "wrong") {
            if (mark == "Q") {
                if (section != "questions" || (!src.questionLines.empty() && !afterReply)) err("a Q: line comes first or right after an R: line");
                src.questionLines.push_back(index);
                afterReply = false;
            } else if (mark == "R") {
                if (src.replyLines.size() + 1 != src.questionLines.size() || src.answers.size() != src.questionLines.size())
                    err("an R: line must follow its question's A: line");
                src.replyLines.push_back(index);
                afterReply = true;
            } else if (mark == "W") {
                src.wrongLines.push_back(index);
            } else if (section == "questions") {
                if (!src.questionLines.empty() && src.replyLines.size() < src.questionLines.size())
                    err("a plain line between a question and its reply");
                if (!src.wrongLines.empty()) err("a plain line after the W: lines");
                src.lastLine = index;
                afterReply = false;
            } else {
                err("only W: lines belong in [wrong]");
            }
            if (mark == "R") src.lastLine = index;
        } else if (!mark.empty()) {
            err("Q:, A:, R: and W: lines belong in [questions]");
        }
    }
    return src;
}

// The game takes a typed answer as right when a stored answer of two or more characters
// without digits lies anywhere inside it, so such an answer must not lie inside a different
// common word: "MAIN" would take "REMAIN", "TEN" would take "SEVENTEEN". The common words are
// those of the word list, folded to upper case; names (the list's capitalised entries) are
// not words a player gives for a riddle, and a possessive is its word. A word that is only the
// answer with an inflection ending (ROOKS, BUBBLED, SCOLDINGS, and with the last letter doubled,
// FROGGED) names the answer itself, and a word that is another of the question's answers is
// right anyway; neither counts.
std::vector<std::string> LoadCommonWords(const std::string& path, Diagnostics& diag) {
    std::ifstream in(path);
    if (!in) {
        diag.error(path + ": the word list is missing (Debian package wamerican)");
        return {};
    }
    std::set<std::string> unique;
    std::string w;
    while (std::getline(in, w)) {
        if (!w.empty() && w.back() == '\r') w.pop_back();
        if (w.empty() || !(w[0] >= 'a' && w[0] <= 'z')) continue;
        if (w.size() > 2 && w.compare(w.size() - 2, 2, "'s") == 0) w.resize(w.size() - 2);
        for (char& c : w) c = char(std::toupper(static_cast<unsigned char>(c)));
        unique.insert(w);
    }
    std::vector<std::string> words(unique.begin(), unique.end());
    // shortest first, so that a fault names the plainest word that shows it
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    return words;
}

bool IsInflection(const std::string& answer, const std::string& word) {
    if (word.size() <= answer.size() || word.compare(0, answer.size(), answer) != 0) return false;
    std::string rest = word.substr(answer.size());
    for (const char* ending : {"S", "ES", "D", "ED", "ING", "INGS"}) {
        if (rest == ending) return true;
    }
    if (rest.size() >= 3 && rest[0] == answer.back()) {
        rest.erase(0, 1);
        for (const char* ending : {"ED", "ING", "INGS"}) {
            if (rest == ending) return true;
        }
    }
    return false;
}

// The first common word that would let a wrong guess through on `answer`, or "" if none.
std::string WordHidingAnswer(const std::string& answer, const std::array<std::string, 3>& answers,
                             const std::vector<std::string>& words) {
    if (answer.size() < 2 || answer.find_first_of("0123456789") != std::string::npos) return "";
    for (const std::string& w : words) {
        if (w.size() <= answer.size() || w.find(answer) == std::string::npos) continue;
        if (IsInflection(answer, w) || std::find(answers.begin(), answers.end(), w) != answers.end()) continue;
        return w;
    }
    return "";
}

void CheckAnswerWords(const Source& s, const std::vector<std::string>& words, Diagnostics& diag) {
    for (size_t k = 0; k < s.answers.size() && k < s.questionLines.size(); ++k) {
        std::string question = s.lines[size_t(s.questionLines[k])];
        if (question.size() > 60) question = question.substr(0, 57) + "...";
        for (const std::string& a : s.answers[k]) {
            std::string w = WordHidingAnswer(a, s.answers[k], words);
            if (!w.empty())
                diag.error(s.file + ": question " + std::to_string(k + 1) + " (\"" + question + "\"): the answer '" + a +
                           "' lies inside the word '" + w + "', so a player typing " + w + " would be told it is right");
        }
    }
}

}  // namespace

void CheckConversationAnswers(const std::string& path, const std::string& wordsPath, Diagnostics& diag) {
    Source s = Parse(path, path, diag);
    CheckAnswerWords(s, LoadCommonWords(wordsPath, diag), diag);
}

void BuildConversations(const std::string& contentDir, bool allowMissing, const std::string& wordsPath, Output& out,
                        Diagnostics& diag) {
    const std::string dir = contentDir + "/conversations/";
    const std::vector<std::string> words = LoadCommonWords(wordsPath, diag);
    std::map<std::string, Source> sources;  // by lower-case data name, e.g. "goat"
    auto load = [&](const std::string& name) -> Source* {
        auto it = sources.find(name);
        if (it != sources.end()) return &it->second;
        std::string path = dir + name + ".txt";
        if (!std::ifstream(path)) {
            if (!allowMissing) diag.error(path + ": missing");
            return nullptr;
        }
        Source s = Parse(path, path, diag);
        std::string text;
        for (size_t i = 0; i < s.lines.size(); ++i) text += (i ? "\r\n" : "") + s.lines[i];
        std::vector<uint8_t> bytes = lnf::EncodeShifted(text);
        if (s.lines.size() > 128) diag.error(path + ": more than 128 lines");
        if (bytes.size() > 6000) diag.error(path + ": " + std::to_string(bytes.size()) + " bytes (at most 6000)");
        out.file("data/" + name + ".dlg", bytes);
        return &sources.emplace(name, std::move(s)).first->second;
    };
    auto baseName = [](const std::string& gameName) {
        // "data\Sunflower.dlg" -> "sunflower"
        std::string n = gameName.substr(5, gameName.size() - 9);
        for (char& c : n) c = char(std::tolower(static_cast<unsigned char>(c)));
        return n;
    };
    for (int id = 0; id < lnf::kMeetings; ++id) {
        const lnf::MeetingInfo& m = lnf::Meeting(id);
        Source* s = load(baseName(m.file));
        if (!s) continue;
        int shown = id == 11 ? 9 : id;  // meeting 11 shows the lines of meeting 9
        auto it = s->meetings.find(shown);
        if (it == s->meetings.end()) {
            diag.error(s->file + ": needs a section [meeting " + std::to_string(shown) + "]");
            continue;
        }
        if (it->second.first != m.first || it->second.second != m.stop - m.first)
            diag.error(s->file + ": [meeting " + std::to_string(shown) + "] must hold lines " + std::to_string(m.first) +
                       ".." + std::to_string(m.stop - 1) + " (it holds " + std::to_string(it->second.first) + ".." +
                       std::to_string(it->second.first + it->second.second - 1) + ")");
    }
    for (int level = 1; level <= 2; ++level) {
        std::vector<uint8_t> records;
        for (int c = 0; c < lnf::kCharacters; ++c) {
            std::string name = baseName(std::string(lnf::Character(c).baseName) + std::to_string(level) + ".dlg");
            Source* s = load(name);
            lnf::LevelRecord r;
            if (s) {
                CheckAnswerWords(*s, words, diag);
                size_t n = s->questionLines.size();
                if (!s->hasQuestions || n == 0 || n > 5) {
                    diag.error(s->file + ": a [questions] section with 1 to 5 questions is needed");
                } else if (s->replyLines.size() != n || s->wrongLines.size() != n || s->answers.size() != n) {
                    diag.error(s->file + ": every question needs its A:, R: and W: line");
                } else {
                    r.FirstAsk = int8_t(s->questionLines[0] + 1);
                    for (size_t k = 1; k <= 4; ++k) r.Resume[k] = int8_t(k < n ? s->questionLines[k] : 0);
                    r.LastLine = int8_t(s->lastLine);
                    for (size_t k = 0; k < n; ++k) {
                        r.RightLine[k] = int8_t(s->replyLines[k] + 1);
                        r.WrongLine[k] = int8_t(s->wrongLines[k]);
                        for (size_t f = 0; f < 3; ++f) r.Answers[f][k] = s->answers[k][f];
                    }
                    // The wrong-answer replies and the meeting lines are never on the way
                    // from the first line to the last.
                    for (int w : s->wrongLines) {
                        if (w <= s->lastLine)
                            diag.error(s->file + ": the W: lines must come after the conversation's last line");
                    }
                    for (const auto& [mid, span] : s->meetings) {
                        if (span.first <= s->lastLine)
                            diag.error(s->file + ": [meeting " + std::to_string(mid) + "] overlaps the questions");
                    }
                    if (c == 6 && (s->lastLine < 19 || s->lastLine > 20))
                        diag.error(s->file + ": the doorman's conversation must end at line 20 (its second picture shows from there)");
                    if (s->lastLine > 126) diag.error(s->file + ": too many lines for a question conversation");
                }
            }
            std::vector<uint8_t> bytes = lnf::EncodeLevelRecord(r);
            records.insert(records.end(), bytes.begin(), bytes.end());
        }
        out.file("data/Level" + std::to_string(level) + ".dlg", records);
    }
}

}  // namespace contentc
