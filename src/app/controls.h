// Plain models of the window controls the game logic reads and writes. The Qt backend mirrors
// them onto real widgets; the headless backend leaves them as they are for tests to read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/image.h"
#include "platform/platform.h"
#include "world/game_state.h"

namespace lnf {

// Screen cursor ids beside the installed ones (1..21 items, 30..34 look and arrows).
enum : int { crDefault = 0, crArrow = -2, crHourGlass = -11, crHandPoint = -21 };

struct Control {
    bool Visible = true;
    bool Enabled = true;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Tag = 0;
    int Cursor = crDefault;
    std::string Caption;
    Rgb FontColor{};
    void setBounds(int l, int t, int w, int h) { Left = l; Top = t; Width = w; Height = h; }
    Rect bounds() const { return {Left, Top, Width, Height}; }
};

struct PictureControl : Control {
    Image Picture;
    uint64_t PictureVersion = 0;  // bumped whenever the picture changes
    void setPicture(Image image) {
        Picture = std::move(image);
        ++PictureVersion;
    }
};

struct SpeedButton : Control {
    bool Down = false;
};

struct MenuItem {
    std::string Name;
    std::string Caption;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    bool Radio = false;
    int Value = -1;  // a slider's setting, 0..100; -1 for every other item
    std::vector<MenuItem> Items;
};

// A window timer of the logic: the platform ticks it while it is enabled.
class Timer {
public:
    Timer(Platform& platform, TimerId id, int interval, bool enabled = false)
        : platform_(platform), id_(id), interval_(interval), enabled_(enabled) {}
    bool Enabled() const { return enabled_; }
    int Interval() const { return interval_; }
    void setEnabled(bool on) {
        enabled_ = on;
        platform_.setTimer(id_, enabled_, interval_);
    }
    // As with a window timer, a new interval restarts the count.
    void setInterval(int ms) {
        interval_ = ms;
        if (enabled_) platform_.setTimer(id_, enabled_, interval_);
    }
    int Tag = 0;

private:
    Platform& platform_;
    TimerId id_;
    int interval_;
    bool enabled_;
};

// A media-player component: a file name, an error code and a Tag around the platform's player.
class MediaPlayer {
public:
    MediaPlayer(Platform& platform, PlayerId id) : platform_(platform), id_(id) {}
    std::string FileName;
    int Tag = 0;
    int Error = 0;
    bool IsOpen = false;
    void Open() {
        MediaDevice& d = platform_.media(id_);
        try {
            d.open(FileName);
            Error = 0;
            IsOpen = true;
        } catch (...) {
            Error = d.error() ? d.error() : 1;
            IsOpen = false;
            throw;
        }
    }
    void Close() {
        platform_.media(id_).close();
        IsOpen = false;
    }
    void Play() {
        if (!IsOpen) throw MediaError("The media device is not open");
        platform_.media(id_).play();
    }
    int64_t Position() const { return platform_.media(id_).position(); }
    void setDestination(const Rect& r) { platform_.media(id_).setDestination(r); }

private:
    Platform& platform_;
    PlayerId id_;
};

}  // namespace lnf
