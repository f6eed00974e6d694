// The player's platform: Qt widgets, timers, dialogs and media.
#pragma once

#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "world/game_files.h"

class QWidget;

namespace lnf {

class Application;
class ReadAloud;
class ResourcePack;
struct Image;

// A window of the game on screen: it mirrors its model and can run as a modal window.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual QWidget* widget() = 0;
    virtual void sync() = 0;  // bring the widgets up to date with the model
    virtual void aboutToShow() {}
};

class QtPlatform : public QObject, public Platform {
    Q_OBJECT
public:
    QtPlatform(const GameFiles& files, const ResourcePack& resources);
    ~QtPlatform() override;

    void setView(WindowId id, WindowView* view) { views_[id] = view; }
    // True once a close of the modal window has been asked for (or when it is not running).
    bool modalClosing(WindowId id) const {
        auto it = modalRuns_.find(id);
        return it == modalRuns_.end() || it->second->closed;
    }
    void syncAll();

    void processMessages() override;
    void waitMessages() override;
    void sleep(int ms) override;
    int64_t monotonicMs() override { return clock_.elapsed(); }
    void setTimer(TimerId id, bool enabled, int intervalMs) override;
    void setPaused(bool paused) override;
    bool paused() const { return paused_; }
    // How loud the tunes and the effects play, 0..100 each; muted silences both. A change
    // reaches the playing tune and the sounding effect at once.
    void setVolumes(int music, int effects, bool muted);
    // The voice that reads the texts aloud, made when first asked for.
    ReadAloud& reader();
    double musicGain() const;
    double effectsGain() const;
    void showModal(WindowId window) override;
    void closeModal(WindowId window) override;
    void setDrawingFrozen(WindowId window, bool frozen) override;
    void messageBox(const std::string& text, const std::string& caption) override;
    void showError(const std::string& text) override;
    std::optional<std::string> openFileDialog(const FileDialogOptions& options) override;
    std::optional<std::string> saveFileDialog(const FileDialogOptions& options) override;
    MediaDevice& media(PlayerId id) override;
    void playSound(const std::string& file) override;
    void showHelp(const std::string& file) override;
    void beginTransition(Effect effect, WindowId window, const Rect& area) override;
    void playTransition(Effect effect) override;
    void endTransition(Effect effect) override;

    // Starts a window's opening blend from black and returns: the blend plays on while the
    // window runs.
    void blendWindowIn(QWidget* window, int durationMs);
    bool blendingIn(const QWidget* window) const { return blending_.contains(window); }

    // Helpers for the views.
    QCursor cursor(int id) const;
    void installCursor(int id, const std::string& resourceName);
    QPixmap bitmap(const std::string& name) const;  // BITMAP, PNG or JPEG resource
    static QImage toQImage(const Image& image);
    const GameFiles& files() const { return files_; }
    const ResourcePack& resources() const { return resources_; }
    QWidget* parentFor(WindowId window) const;
    PlatformEvents* events() const { return events_; }
    void notifyMedia(PlayerId id);

    // Where video clips are drawn: the picture panel and the room picture's corner in it.
    std::function<QWidget*()> videoParent;
    std::function<QPoint()> videoOrigin;
    std::function<void(QWidget*)> onVideoStarted;
    std::function<void(QWidget*)> onVideoEnded;  // before the end is reported to the game

    // Set for the program's main window, which ends the run when closed.
    std::function<void()> onQuit;

private:
    struct Transition {
        QPointer<QWidget> widget;
        QRect area;
        QPixmap before;
        bool active = false;
    };
    struct ModalRun {
        QEventLoop loop;
        bool closed = false;
    };
    void deliverHeldBack();

    const GameFiles& files_;
    const ResourcePack& resources_;
    QElapsedTimer clock_;
    std::map<TimerId, QTimer*> timers_;
    // The pause: each held timer's time left, and its interval to go on with after that.
    bool paused_ = false;
    std::map<TimerId, int> timerLeft_;
    std::map<TimerId, int> timerInterval_;
    QSet<int> resumedOnce_;
    int musicVolume_ = 100, effectsVolume_ = 100;
    bool muted_ = false;
    std::map<WindowId, WindowView*> views_;
    std::map<WindowId, ModalRun*> modalRuns_;
    QSet<const QWidget*> blending_;
    int quiet_ = 0;  // inside a pause: timers and media ends are held back
    std::vector<TimerId> heldTimers_;
    std::vector<PlayerId> heldMediaEnds_;
    std::map<PlayerId, std::unique_ptr<MediaDevice>> media_;
    std::map<Effect, Transition> transitions_;
    std::map<int, QCursor> cursors_;
    mutable std::map<std::string, QPixmap> bitmaps_;
    QObject* soundPlayer_ = nullptr;
    ReadAloud* reader_ = nullptr;
};

}  // namespace lnf
