#include "platform/headless_platform.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace lnf {

void HeadlessMedia::open(const std::string& name) {
    close();
    if (platform_.mediaFails || (platform_.files && !platform_.files->exists(name))) {
        error_ = 275;
        throw MediaError("Cannot open the media file \"" + NormalizeGameName(name) + "\"");
    }
    error_ = 0;
    file = NormalizeGameName(name);
    isOpen = true;
    auto it = platform_.mediaLengths.find(file);
    length = it != platform_.mediaLengths.end() ? it->second : platform_.defaultMediaLength;
}

void HeadlessMedia::close() {
    if (playing) platform_.pendingNotify_.push_back(id_);  // a cut-off play still notifies
    playing = false;
    isOpen = false;
}

void HeadlessMedia::play() {
    if (!isOpen) {
        error_ = 263;
        throw MediaError("The media device is not open");
    }
    playing = true;
    startedAt = platform_.now_;
    heldAt = 0;
    ++plays;
}

int64_t HeadlessMedia::position() const {
    if (!isOpen) return 0;
    if (!playing) return plays > 0 ? length : 0;
    if (platform_.paused_) return heldAt;
    return std::min(length, platform_.now_ - startedAt);
}

HeadlessPlatform::HeadlessPlatform(const GameFiles* f) : files(f) {}

MediaDevice& HeadlessPlatform::media(PlayerId id) {
    auto& slot = media_[id];
    if (!slot) slot = std::make_unique<HeadlessMedia>(*this, id);
    return *slot;
}

void HeadlessPlatform::setTimer(TimerId id, bool enabled, int intervalMs) {
    TimerState& t = timers_[id];
    t.enabled = enabled;
    t.interval = intervalMs;
    t.due = now_ + std::max(1, intervalMs);
    t.left = std::max(1, intervalMs);
}

void HeadlessPlatform::setPaused(bool paused) {
    if (paused == paused_) return;
    if (paused) {
        for (auto& [id, t] : timers_) t.left = std::max<int64_t>(0, t.due - now_);
        for (auto& [id, m] : media_) m->heldAt = std::min(m->length, now_ - m->startedAt);
    } else {
        for (auto& [id, t] : timers_) t.due = now_ + t.left;
        for (auto& [id, m] : media_) m->startedAt = now_ - m->heldAt;
    }
    paused_ = paused;
}

bool HeadlessPlatform::timerEnabled(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() && it->second.enabled;
}

int HeadlessPlatform::timerInterval(TimerId id) const {
    auto it = timers_.find(id);
    return it != timers_.end() ? it->second.interval : 0;
}

void HeadlessPlatform::processMessages() {
    ++pumpPoints;
    if (onProcessMessages) {
        auto hook = onProcessMessages;  // the hook may replace itself
        hook();
    }
    deliverPending();
}

void HeadlessPlatform::deliverPending() {
    bool busy = !injected_.empty() || (!pendingNotify_.empty() && !paused_);
    for (auto& [id, t] : timers_) busy = busy || (t.enabled && !paused_ && t.due <= now_);
    if (!busy) {
        if (onIdle) onIdle();
        if (idleAt_ == now_ && ++idleSpins_ > 2000000) {
            throw std::runtime_error("The game waits for something that never comes");
        }
        if (idleAt_ != now_) {
            idleAt_ = now_;
            idleSpins_ = 0;
        }
    }
    while (!injected_.empty()) {
        auto action = std::move(injected_.front());
        injected_.pop_front();
        action();
    }
    if (paused_) return;  // ends and ticks wait for the end of the pause
    while (!pendingNotify_.empty()) {
        PlayerId id = pendingNotify_.front();
        pendingNotify_.pop_front();
        if (events_) events_->onMediaNotify(id);
    }
    for (auto& [id, t] : timers_) {
        if (t.enabled && t.due <= now_) {
            t.due = now_ + std::max(1, t.interval);
            if (events_) events_->onTimer(id);
        }
    }
}

void HeadlessPlatform::advance(int64_t ms) {
    int64_t target = now_ + ms;
    for (;;) {
        int64_t next = std::numeric_limits<int64_t>::max();
        if (paused_) break;  // nothing moves on a paused clock
        for (auto& [id, t] : timers_) {
            if (t.enabled) next = std::min(next, t.due);
        }
        for (auto& [id, m] : media_) {
            if (m->playing) next = std::min(next, m->startedAt + m->length);
        }
        if (next > target) break;
        now_ = std::max(now_, next);
        for (auto& [id, m] : media_) {
            if (m->playing && m->startedAt + m->length <= now_) {
                m->playing = false;
                pendingNotify_.push_back(id);
            }
        }
        deliverPending();
    }
    now_ = target;
    deliverPending();
}

void HeadlessPlatform::showModal(WindowId window) {
    modalStack.push_back(window);
    closing_.erase(window);
    auto it = modalScripts.find(window);
    if (it != modalScripts.end() && it->second) {
        auto script = it->second;  // a script may replace itself
        script();
    }
    closing_.erase(window);
    auto pos = std::find(modalStack.rbegin(), modalStack.rend(), window);
    if (pos != modalStack.rend()) modalStack.erase(std::next(pos).base());
}

void HeadlessPlatform::closeModal(WindowId window) { closing_.insert(window); }

bool HeadlessPlatform::isOpen(WindowId w) const {
    return std::find(modalStack.begin(), modalStack.end(), w) != modalStack.end() && !closing_.count(w);
}

void HeadlessPlatform::messageBox(const std::string& text, const std::string& caption) {
    messages.emplace_back(text, caption);
}

std::optional<std::string> HeadlessPlatform::openFileDialog(const FileDialogOptions& options) {
    fileDialogs.push_back(options);
    if (fileAnswers.empty()) return std::nullopt;
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

std::optional<std::string> HeadlessPlatform::saveFileDialog(const FileDialogOptions& options) {
    return openFileDialog(options);
}

void HeadlessPlatform::beginTransition(Effect, WindowId, const Rect&) {}

void HeadlessPlatform::playTransition(Effect effect) {
    int64_t duration = effect == Effect::TR1 ? 1000 : effect == Effect::TR2 ? 500 : 0;
    transitions.emplace_back(effect, duration);
    now_ += duration;
}

void HeadlessPlatform::endTransition(Effect) {}

}  // namespace lnf
