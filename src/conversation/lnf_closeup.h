// The close-up conversation window: meetings and question conversations.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/controls.h"
#include "conversation/conversation_data.h"

namespace lnf {

class TCloseUp {
public:
    explicit TCloseUp(Application& app);
    Application& app;

    // ----- controls -----
    PictureControl Image1;
    Control Talk1, Next1, Exit1, APanel, ALabel, Answer;
    std::vector<std::string> Memo1;
    bool Showing = false;

    // ----- conversation state -----
    int8_t ConvLine = 0;
    int8_t CharacterId = 0;
    int8_t MeetingId = 0;
    int8_t StopLine = 0;
    int8_t SwapLine = 0;
    std::string SwapPicture;
    int8_t BackLine = 0;
    int ConvKind = 0;       // Next1.Tag: 1 = question conversation, 0 = meeting
    int QuestionState = 0;  // Answer.Tag: question * 10 + phase, negated after a wrong answer
    // A record that could not be read whole, or that names lines its text lacks, ends the
    // conversation without it counting as completed.
    bool RecordBroken = false;

    int PuzzleLevel = 1;
    LevelRecord Record{};
    int AnswerLimit = 1;
    std::string ConvText;

    void SetLevel(int level) { PuzzleLevel = level; }
    void GetMyData();
    std::string LevelFileName() const;
    void CharacterTalks(uint8_t id);
    void Meets(uint8_t id);

    // ----- handlers -----
    void FormActivate();
    void FormClose();
    void Next1Click();
    void Exit1Click();
    void FormKeyPress(int key);
    void AnswerKeyPress(int key);

    void Say(int line, bool advance);
    void Continues();
    void Dialog();
    void Close();

private:
    void ReadConversation(const std::string& file);
    void LoadPicture(const std::string& file);
    void ShowModal();
};

}  // namespace lnf
