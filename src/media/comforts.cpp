// The player's comforts beside the music: how loud the tunes and the effects are, silence at
// one stroke, a pause that holds the whole game where it is, and reading the texts aloud.
// They change nothing of the story, so none of them is a step of the game.
#include <algorithm>
#include <stdexcept>

#include "app/lnf_game.h"

namespace lnf {

namespace {
MenuItem ComfortItem(const char* name, const char* caption, int value = -1) {
    MenuItem m;
    m.Name = name;
    m.Caption = caption;
    m.Value = value;
    return m;
}
const MenuItem* Find(const MenuItem& root, const std::string& name) {
    if (root.Name == name) return &root;
    for (const MenuItem& child : root.Items)
        if (const MenuItem* m = Find(child, name)) return m;
    return nullptr;
}

const MenuItem& Setting(const TGame& game, const std::string& name) {
    const MenuItem* m = Find(game.MainMenu1, name);
    if (!m) throw std::logic_error("no menu item " + name);
    return *m;
}
}  // namespace

void AddComfortItems(MenuItem& music) {
    music.Items.push_back(ComfortItem("N6", "-"));
    music.Items.push_back(ComfortItem("MusicVolume1", "Music &Volume", 100));
    music.Items.push_back(ComfortItem("EffectsVolume1", "&Effects Volume", 100));
    music.Items.push_back(ComfortItem("Mute1", "M&ute"));
    music.Items.push_back(ComfortItem("N7", "-"));
    music.Items.push_back(ComfortItem("Pause1", "&Pause"));
    music.Items.push_back(ComfortItem("ReadAloud1", "&Read Aloud"));
}

void TGame::PauseClick() { SetPaused(!Paused); }

void TGame::SetPaused(bool paused) {
    if (Paused == paused || Closed) return;
    Paused = paused;
    menu("Pause1").Checked = paused;
    app.platform.setPaused(paused);
    // Ticks and clip ends that came in while the game stood still run now, in their order.
    if (!paused && !Busy()) app.runDeferred();
}

void TGame::MuteClick() {
    MenuItem& mute = menu("Mute1");
    mute.Checked = !mute.Checked;
}

void TGame::ReadAloudClick() {
    // Where no voice can be had the item stays off: the backend disables it and says why.
    MenuItem& read = menu("ReadAloud1");
    if (!read.Enabled) return;
    read.Checked = !read.Checked;
}

void TGame::VolumeChange(const std::string& itemName, int value) {
    if (itemName != "MusicVolume1" && itemName != "EffectsVolume1") return;
    menu(itemName).Value = std::clamp(value, 0, 100);
}

int TGame::MusicVolume() const { return Setting(*this, "MusicVolume1").Value; }
int TGame::EffectsVolume() const { return Setting(*this, "EffectsVolume1").Value; }
bool TGame::Muted() const { return Setting(*this, "Mute1").Checked; }
bool TGame::ReadingAloud() const {
    const MenuItem& read = Setting(*this, "ReadAloud1");
    return read.Checked && read.Enabled;
}

}  // namespace lnf
