// A platform with no screen: a manual clock, timers that fire as the clock is advanced,
// scripted answers for dialogs and modal windows, and media that end after a set time.
// Tests drive the real game handlers through it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "world/game_files.h"

namespace lnf {

class HeadlessPlatform;

class HeadlessMedia : public MediaDevice {
public:
    HeadlessMedia(HeadlessPlatform& platform, PlayerId id) : platform_(platform), id_(id) {}
    void open(const std::string& file) override;
    void close() override;
    void play() override;
    int64_t position() const override;
    int error() const override { return error_; }
    void setDestination(const Rect& r) override { destination = r; }

    std::string file;
    bool isOpen = false;
    bool playing = false;
    int64_t startedAt = 0;
    int64_t heldAt = 0;  // how far it had played when the game paused
    int64_t length = 0;
    int plays = 0;
    Rect destination;

private:
    HeadlessPlatform& platform_;
    PlayerId id_;
    int error_ = 0;
};

class HeadlessPlatform : public Platform {
public:
    explicit HeadlessPlatform(const GameFiles* files = nullptr);

    void processMessages() override;
    void sleep(int ms) override { now_ += ms; }
    int64_t monotonicMs() override { return now_; }
    void setTimer(TimerId id, bool enabled, int intervalMs) override;
    void setPaused(bool paused) override;
    bool paused() const { return paused_; }
    void showModal(WindowId window) override;
    void closeModal(WindowId window) override;
    void setDrawingFrozen(WindowId, bool) override {}
    void messageBox(const std::string& text, const std::string& caption) override;
    void showError(const std::string& text) override { errors.push_back(text); }
    std::optional<std::string> openFileDialog(const FileDialogOptions& options) override;
    std::optional<std::string> saveFileDialog(const FileDialogOptions& options) override;
    MediaDevice& media(PlayerId id) override;
    void playSound(const std::string& file) override { sounds.push_back(file); }
    void showHelp(const std::string& file) override { helpShown.push_back(file); }
    void beginTransition(Effect effect, WindowId window, const Rect& area) override;
    void playTransition(Effect effect) override;
    void endTransition(Effect effect) override;

    // Moves the clock on, firing due timers and media ends in time order.
    void advance(int64_t ms);
    // Runs `action` at the next processMessages, as if the player had done it meanwhile.
    void inject(std::function<void()> action) { injected_.push_back(std::move(action)); }

    // What a modal window does while it is open; it must close itself.
    std::map<WindowId, std::function<void()>> modalScripts;
    // Answers of the file dialogs, in order; an empty optional cancels.
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogOptions> fileDialogs;
    std::vector<std::pair<std::string, std::string>> messages;  // text, caption
    std::vector<std::string> errors;
    std::vector<std::string> sounds;
    std::vector<std::string> helpShown;
    std::vector<std::pair<Effect, int64_t>> transitions;  // effect, duration played
    std::vector<WindowId> modalStack;
    std::map<std::string, int64_t> mediaLengths;  // by normalised file name; default below
    int64_t defaultMediaLength = 3000;
    bool mediaFails = false;  // every open fails, as on a machine with no media system
    // Called when processMessages finds nothing to do, e.g. to press "Continue" in a wait.
    std::function<void()> onIdle;
    // Called at every point where the game itself lets pending events run (not the clock's own
    // deliveries in advance()), before anything pending runs: a test can act there.
    std::function<void()> onProcessMessages;
    // How many such points the game has passed.
    uint64_t pumpPoints = 0;
    const GameFiles* files;

    bool isOpen(WindowId w) const;
    bool timerEnabled(TimerId id) const;
    int timerInterval(TimerId id) const;
    int64_t now() const { return now_; }

private:
    friend class HeadlessMedia;
    void deliverPending();
    struct TimerState {
        bool enabled = false;
        int interval = 0;
        int64_t due = 0;
        int64_t left = 0;  // while paused: how long until it is due
    };
    int64_t now_ = 0;
    bool paused_ = false;
    int64_t idleSpins_ = 0;
    int64_t idleAt_ = -1;
    std::map<TimerId, TimerState> timers_;
    std::map<PlayerId, std::unique_ptr<HeadlessMedia>> media_;
    std::set<WindowId> closing_;
    std::deque<std::function<void()>> injected_;
    std::deque<PlayerId> pendingNotify_;
};

}  // namespace lnf
