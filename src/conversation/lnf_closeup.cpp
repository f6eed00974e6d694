#include "conversation/lnf_closeup.h"

#include <cstdlib>

#include "app/lnf_game.h"
#include "pictures/jpeg.h"
#include "world/game_files.h"
#include "world/shifted_text.h"

namespace lnf {

TCloseUp::TCloseUp(Application& a) : app(a) {
    Image1.setBounds(4, 3, 320, 300);
    Image1.Enabled = false;
    Talk1.setBounds(335, 8, 270, 0);
    Talk1.FontColor = {255, 255, 0};
    Next1.setBounds(200, 325, 121, 60);
    Next1.Caption = "Next >>";
    Exit1.setBounds(25, 325, 96, 60);
    Exit1.Caption = "&Exit";
    APanel.setBounds(384, 288, 185, 65);
    APanel.Visible = false;
    ALabel.setBounds(14, 6, 0, 0);
    ALabel.Caption = "Your Answer:";
    Answer.setBounds(4, 40, 165, 25);
}

void TCloseUp::LoadPicture(const std::string& file) {
    Image1.setPicture(DecodeJpeg(app.files.read(file)).image);
}

void TCloseUp::ReadConversation(const std::string& file) {
    std::vector<uint8_t> stored = app.files.readPart(file, 0, kConvTextSize);
    // The text ends at its end mark or at the buffer's last byte, never beyond.
    ConvText = DecodeShifted(stored, kConvTextSize - 1);
    Memo1 = SplitLines(ConvText);
}

std::string TCloseUp::LevelFileName() const { return "data\\Level" + std::to_string(PuzzleLevel) + ".dlg"; }

void TCloseUp::GetMyData() {
    std::string name = LevelFileName();
    std::vector<uint8_t> bytes = app.files.readPart(name, uint64_t(CharacterId) * kLevelRecordSize, kLevelRecordSize);
    auto record = ParseLevelRecord(bytes);
    RecordBroken = !record.has_value();
    Record = record.value_or(LevelRecord{});
    StopLine = Record.FirstAsk;
    AnswerLimit = AnswerLimitOf(Record);
}

void TCloseUp::Say(int line, bool advance) {
    std::string text = line >= 0 && line < int(Memo1.size()) ? Memo1[size_t(line)] : std::string();
    // A '*' is a paragraph break. Copied a run at a time: every press of Next says a line.
    std::string shown;
    shown.reserve(text.size());
    for (size_t at = 0; at <= text.size();) {
        size_t star = text.find('*', at);
        if (star == std::string::npos) {
            shown.append(text, at, std::string::npos);
            break;
        }
        shown.append(text, at, star - at).append("\r\n\r\n");
        at = star + 1;
    }
    Talk1.Caption = shown;
    if (advance && ConvLine < 127) ConvLine = int8_t(ConvLine + 1);  // line numbers never wrap
    if (ConvLine == SwapLine && SwapLine != 0) LoadPicture(SwapPicture);
    if (ConvLine == BackLine && BackLine != 0) LoadPicture("p1\\humdum.jpg");
}

void TCloseUp::CharacterTalks(uint8_t id) {
    CharacterId = int8_t(id < kCharacters ? id : 0);
    GetMyData();
    ConvLine = 0;
    ConvKind = 1;
    SwapLine = 0;
    BackLine = 0;
    if (CharacterId == 6) {
        SwapLine = 20;
        SwapPicture = "p1\\bigcat.jpg";
    }
    const CharacterInfo& c = Character(CharacterId);
    ReadConversation(std::string(c.baseName) + std::to_string(PuzzleLevel) + ".dlg");
    // A record that names lines its text lacks cannot be played to its end.
    int lines = int(Memo1.size());
    auto inText = [&](int l) { return l >= 0 && l < lines; };
    if (!inText(Record.LastLine) || !inText(Record.FirstAsk - 1)) RecordBroken = true;
    for (int q = 0; q < QuestionCount(Record); ++q) {
        if (!inText(Record.RightLine[size_t(q)] - 1) || !inText(Record.WrongLine[size_t(q)])) RecordBroken = true;
        if (q > 0 && !inText(Record.Resume[size_t(q)])) RecordBroken = true;
    }
    Exit1.Visible = true;  // only the last meeting hides it
    LoadPicture(c.picture);
    app.processMessages();
    Say(ConvLine, true);
    if (RecordBroken) {
        // Said in the window, where the player waits for the talk: it ends at the next press.
        Talk1.Caption = "This conversation cannot go on: \"" + NormalizeGameName(LevelFileName()) + "\" or \"" +
                        NormalizeGameName(std::string(c.baseName) + std::to_string(PuzzleLevel) + ".dlg") +
                        "\" is missing or damaged.";
    }
    Next1.Caption = "Next >>";
    QuestionState = 0;
    ShowModal();
}

void TCloseUp::Meets(uint8_t id) {
    ConvKind = 0;
    SwapLine = 0;
    BackLine = 0;
    ConvLine = 0;
    StopLine = 0;
    RecordBroken = false;
    const MeetingInfo& m = Meeting(id < kMeetings ? id : 0);
    StopLine = int8_t(m.stop);
    ConvLine = int8_t(m.first);
    if (m.swapLine != 0) {
        SwapLine = int8_t(m.swapLine);
        SwapPicture = m.swapPicture;
    }
    if (m.backLine != 0) BackLine = int8_t(m.backLine);
    Exit1.Visible = id != 1;  // the last meeting has no way out but its end
    CharacterId = 0;
    MeetingId = int8_t(id);
    ReadConversation(m.file);
    LoadPicture(m.picture);
    app.processMessages();
    Say(ConvLine, true);
    if (Memo1.empty()) Talk1.Caption = "This conversation cannot go on: \"" + NormalizeGameName(m.file) + "\" is missing or damaged.";
    Next1.Caption = "Next >>";
    ShowModal();
}

void TCloseUp::ShowModal() {
    Showing = true;
    FormActivate();
    app.showModal(WindowId::CloseUp);
    Showing = false;
}

void TCloseUp::FormActivate() { app.Game->Tag = 0; }

void TCloseUp::FormClose() {
    APanel.Visible = false;
    if (ConvKind == 1 && CharacterId == 4) app.Game->DrawCorner(kPool);
}

void TCloseUp::Close() {
    FormClose();
    app.platform.closeModal(WindowId::CloseUp);
}

void TCloseUp::Next1Click() {
    if (app.Game->Tag != 0) return;
    if (ConvKind == 1) Continues();
    else Dialog();
}

void TCloseUp::FormKeyPress(int key) {
    if (key == 13) Next1Click();
}

void TCloseUp::AnswerKeyPress(int key) {
    if (key == 13) Continues();
}

void TCloseUp::Exit1Click() { Close(); }

void TCloseUp::Dialog() {
    Next1.Caption = "Next >>";
    if (MeetingId == 1 || MeetingId == 2) {
        if (ConvLine == 26) LoadPicture("p2\\ending3.jpg");
        if (ConvLine == 34) LoadPicture("p2\\ending4.jpg");
    }
    if (ConvLine < StopLine) {
        Say(ConvLine, true);
        return;
    }
    app.Game->Tag = 1;
    Next1.Caption = "Exit";
    if (MeetingId == 0) {
        app.Game->DrawCorner(kFawnRest);
        app.Game->NewRoom(8);
    }
    Close();
}

void TCloseUp::Continues() {
    if (app.Game->Tag != 0 && !Showing) return;
    int q = std::abs(QuestionState) / 10;
    int phase = QuestionState % 10;
    if (RecordBroken) {
        Close();  // a damaged record ends the talk without counting it as solved
        return;
    }
    if (ConvLine > Record.LastLine) {
        app.Game->Tag = 1;
        app.Game->Score(2);
        Close();
        return;
    }
    if (QuestionState > AnswerLimit) {
        Say(ConvLine, true);
        return;
    }
    std::string typed = Answer.Caption;
    Answer.Caption.clear();
    if (QuestionState < 0) {
        Say(ConvLine - 1, false);
        Next1.Caption = "Next >>";
        QuestionState = q * 10 + 1;
        APanel.Visible = true;
        return;
    }
    if (ConvLine == StopLine) {
        QuestionState = q * 10 + 1;
        APanel.Visible = true;
        StopLine = 0;
        return;
    }
    if (phase == 1) {
        bool right = APanel.Visible ? (!typed.empty() && CheckAnswers(Record, typed, q)) : CheckAnswers(Record, typed, q);
        APanel.Visible = false;
        if (right) {
            ConvLine = Record.RightLine[size_t(q)];
            Say(ConvLine - 1, false);
            QuestionState = (q + 1) * 10;
            Next1.Caption = "Next >>";
            StopLine = int8_t(Record.RightLine[size_t(std::min(q + 1, 5))] - 1);
        } else {
            Say(Record.WrongLine[size_t(q)], false);
            Next1.Caption = "<<Repeat";
            QuestionState = -QuestionState;
        }
        return;
    }
    Next1.Caption = "Next >>";
    if (q > 0) {
        ConvLine = Record.Resume[size_t(std::min(q, 4))];
        QuestionState = QuestionState + 1;
    }
    Say(ConvLine, true);
}

}  // namespace lnf
