// One music channel with a repeat guard, and the sound effects beside it.
#include "app/lnf_game.h"

namespace lnf {

namespace {
// The key of a tune is one character of its path: for "music\name.wma" the first letter of
// the name, so tunes whose names share a first letter count as the same tune.
char TuneKey(const std::string& file) { return file.size() > 6 ? file[6] : '\0'; }
constexpr int64_t kTuneGuardMs = 40000;
}  // namespace

void TGame::Playit(const std::string& file) {
    if (menu("MusicOFF").Checked) return;
    int64_t now = app.platform.monotonicMs();
    if (TuneKey(file) == LastTuneKey && LastTuneKey != 0 && now - LastTuneStart < kTuneGuardMs) return;
    if (MP1.Tag != 0) MP1.Close();
    MP1.FileName = file;
    // A tune that cannot be opened leaves the game silent; it never stops a rule or an entry.
    try {
        MP1.Open();
        MP1.Play();
    } catch (const MediaError&) {
        if (ReportOnce("play " + NormalizeGameName(file))) {
            text1.Caption += std::string(text1.Caption.empty() ? "" : "  ") + "(The tune \"" +
                             NormalizeGameName(file) + "\" could not be played.)";
        }
        return;
    }
    LastTuneKey = TuneKey(file);
    LastTuneStart = now;
    app.processMessages();
    MP1.Tag = 1;
}

void TGame::StopMusic() {
    if (MP1.Tag != 0) {
        MP1.Close();
        MP1.Tag = 0;
    }
}

void TGame::MusicOFFClick() {
    GameStep step(*this, StepInput::Menu);
    if (!step) return;
    MenuItem& off = menu("MusicOFF");
    if (!off.Enabled) return;
    off.Checked = !off.Checked;
    if (off.Checked) {
        StopMusic();
        return;
    }
    if (MP1.FileName.empty()) return;
    try {
        MP1.Open();
        MP1.Play();
        MP1.Tag = 1;
    } catch (const MediaError&) {
    }
}

void TGame::IntroMusic() {
    MP1.FileName = "music\\intro.wma";
    try {
        MP1.Open();
    } catch (const MediaError&) {
        if (MP1.Error != 0) {
            MenuItem& off = menu("MusicOFF");
            off.Checked = true;
            off.Enabled = false;
        }
    }
    app.processMessages();
    Playit("music\\intro.wma");
}

void TGame::MP1Notify() {
    if (MP1.Position() != 0) MP1.Tag = 0;
}

}  // namespace lnf
