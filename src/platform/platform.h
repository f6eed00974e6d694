// The one narrow interface between the game and the machine it runs on: events, time,
// timers, modal windows, message boxes, file dialogs, music, sound effects, video and help.
// The Qt backend implements it for the player, the headless backend for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace lnf {

enum class WindowId { Black, Intro, Game, About1, Inventory, CloseUp, SavedGames };
enum class TimerId { Time1, XForm, TimeJab, BigTime, Reappear };
enum class PlayerId { MP1, MP, MP2, MP3 };
enum class Effect { TR1, TR2, TR3 };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

class MediaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the game needs of a media player: open a file, play it once, close it, know where it
// is, and hear (through PlatformEvents::onMediaNotify) when it has ended.
class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    virtual void open(const std::string& file) = 0;  // closes first; throws MediaError
    virtual void close() = 0;
    virtual void play() = 0;  // from the beginning; returns at once
    virtual int64_t position() const = 0;
    virtual int error() const = 0;  // 0 = the last operation succeeded
    virtual void setDestination(const Rect& r) = 0;  // video only, in the picture panel
};

struct FileDialogOptions {
    std::string filter = "Saved games|*.sav";
    std::string defaultExtension;
    std::string initialFolder = ".";
    std::string fileName;
    bool confirmOverwrite = false;
};

// What the platform delivers to the game between window messages.
class PlatformEvents {
public:
    virtual ~PlatformEvents() = default;
    virtual void onTimer(TimerId id) = 0;
    virtual void onMediaNotify(PlayerId id) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    void setEvents(PlatformEvents* events) { events_ = events; }

    // Lets pending window messages run (and brings the screen up to date).
    virtual void processMessages() = 0;
    // Sleeps until something happens (a press, a timer, the end of a tune) and lets it run:
    // what a wait for the player calls over and over. Where there is nothing to sleep on it
    // is processMessages.
    virtual void waitMessages() { processMessages(); }
    virtual void sleep(int ms) = 0;
    virtual int64_t monotonicMs() = 0;

    virtual void setTimer(TimerId id, bool enabled, int intervalMs) = 0;
    // Holds every running timer, tune, clip and sound effect where it is, and lets each go on
    // from that very point when the pause ends. Timers set and players started meanwhile wait
    // for the end of the pause too; a timer's or a clip's end never arrives during it.
    virtual void setPaused(bool paused) = 0;

    // Runs a nested loop until closeModal(window) is called for it.
    virtual void showModal(WindowId window) = 0;
    virtual void closeModal(WindowId window) = 0;
    virtual void setDrawingFrozen(WindowId window, bool frozen) = 0;

    virtual void messageBox(const std::string& text, const std::string& caption) = 0;
    virtual void showError(const std::string& text) = 0;
    virtual std::optional<std::string> openFileDialog(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogOptions& options) = 0;

    virtual MediaDevice& media(PlayerId id) = 0;
    virtual void playSound(const std::string& file) = 0;
    virtual void showHelp(const std::string& file) = 0;

    // Transitions over a window's area: capture now, let the caller change the picture,
    // then play from the old look to the new one.
    virtual void beginTransition(Effect effect, WindowId window, const Rect& area) = 0;
    virtual void playTransition(Effect effect) = 0;
    virtual void endTransition(Effect effect) = 0;

protected:
    PlatformEvents* events_ = nullptr;
};

}  // namespace lnf
