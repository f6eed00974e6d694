#include "qt/qt_platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QAudio>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "app/controls.h"
#include "media/wav.h"
#include "qt/media_devices.h"
#include "qt/blend.h"
#include "qt/widgets.h"
#include "qt/read_aloud.h"
#include "pictures/image.h"
#include "pictures/resources.h"

namespace lnf {

QtPlatform::QtPlatform(const GameFiles& files, const ResourcePack& resources) : files_(files), resources_(resources) {
    clock_.start();
    installCursor(crDefault, "");
    installCursor(crHandPoint, "do");  // the game's own hand for the Do mode
}

QtPlatform::~QtPlatform() {
    // The views and the game are gone by now, but closing an audio output runs pending
    // events: nothing queued may reach them any more.
    views_.clear();
    events_ = nullptr;
    for (auto& [id, timer] : timers_) timer->stop();
    delete reader_;
    reader_ = nullptr;
    if (soundPlayer_) {
        static_cast<QAudioSink*>(soundPlayer_)->stop();
        delete soundPlayer_;
        soundPlayer_ = nullptr;
    }
    media_.clear();
}

void QtPlatform::syncAll() {
    for (auto& [id, view] : views_) {
        if (view) view->sync();
    }
}

void QtPlatform::processMessages() {
    syncAll();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void QtPlatform::waitMessages() {
    syncAll();
    // Blocks in the event loop until there is something to do: a wait for the player costs
    // nothing while nothing moves.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtPlatform::sleep(int ms) {
    syncAll();
    // The screen keeps drawing while the game pauses, but the game itself does nothing else:
    // presses wait for the end of the pause, and the game's timers and the ends of tunes and
    // clips are handed on after it, as they would be after a pause that blocked.
    ++quiet_;
    WaitInEventLoop(ms);
    --quiet_;
    if (quiet_ == 0 && !paused_) deliverHeldBack();
}

void QtPlatform::deliverHeldBack() {
    std::vector<TimerId> timers;
    timers.swap(heldTimers_);
    for (TimerId id : timers) {
        auto it = timers_.find(id);
        if (it != timers_.end() && it->second->isActive() && events_) events_->onTimer(id);
    }
    std::vector<PlayerId> ends;
    ends.swap(heldMediaEnds_);
    for (PlayerId id : ends)
        if (events_) events_->onMediaNotify(id);
    if (!timers.empty() || !ends.empty()) syncAll();
}

void QtPlatform::setTimer(TimerId id, bool enabled, int intervalMs) {
    QTimer*& t = timers_[id];
    if (!t) {
        t = new QTimer(this);
        connect(t, &QTimer::timeout, this, [this, id, t] {
            // The first tick after a pause came after the time that was left; the next ones
            // come at the timer's own pace again.
            if (resumedOnce_.remove(int(id))) t->start(std::max(1, timerInterval_[id]));
            if (quiet_ > 0) {
                if (std::find(heldTimers_.begin(), heldTimers_.end(), id) == heldTimers_.end()) heldTimers_.push_back(id);
                return;
            }
            if (events_) events_->onTimer(id);
            syncAll();
        });
    }
    t->stop();
    resumedOnce_.remove(int(id));
    timerInterval_[id] = intervalMs;
    timerLeft_.erase(id);
    if (enabled && paused_) timerLeft_[id] = std::max(1, intervalMs);  // starts when the pause ends
    else if (enabled) t->start(std::max(1, intervalMs));
}

void QtPlatform::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    if (paused) {
        for (auto& [id, t] : timers_) {
            if (!t->isActive()) continue;
            timerLeft_[id] = std::max(1, t->remainingTime());
            t->stop();
        }
    } else {
        for (auto& [id, left] : timerLeft_) {
            timers_[id]->start(left);
            resumedOnce_.insert(int(id));
        }
        timerLeft_.clear();
    }
    for (auto& [id, device] : media_)
        if (auto* p = dynamic_cast<HeldPlayer*>(device.get())) p->hold(paused);
    if (auto* sink = static_cast<QAudioSink*>(soundPlayer_)) {
        if (paused) sink->suspend();
        else sink->resume();
    }
    if (!paused && quiet_ == 0) deliverHeldBack();
}

ReadAloud& QtPlatform::reader() {
    if (!reader_) reader_ = new ReadAloud(this);
    return *reader_;
}

double QtPlatform::musicGain() const {
    if (muted_) return 0.0;
    // The slider follows the ear: halfway sounds half as loud, not a little quieter.
    return QAudio::convertVolume(musicVolume_ / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}

double QtPlatform::effectsGain() const {
    if (muted_) return 0.0;
    return QAudio::convertVolume(effectsVolume_ / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
}

void QtPlatform::setVolumes(int music, int effects, bool muted) {
    music = std::clamp(music, 0, 100);
    effects = std::clamp(effects, 0, 100);
    if (music == musicVolume_ && effects == effectsVolume_ && muted == muted_) return;
    musicVolume_ = music;
    effectsVolume_ = effects;
    muted_ = muted;
    for (auto& [id, device] : media_)
        if (auto* p = dynamic_cast<HeldPlayer*>(device.get())) p->setVolume(musicGain());
    if (auto* sink = static_cast<QAudioSink*>(soundPlayer_)) sink->setVolume(effectsGain());
}

QWidget* QtPlatform::parentFor(WindowId window) const {
    auto it = views_.find(window);
    return it != views_.end() && it->second ? it->second->widget() : nullptr;
}

void QtPlatform::showModal(WindowId window) {
    WindowView* view = views_[window];
    if (!view) return;
    QWidget* w = view->widget();
    // The window's run exists before it is shown, so that a close asked for while it opens
    // (a press during its opening blend) is not lost.
    ModalRun run;
    modalRuns_[window] = &run;
    view->aboutToShow();
    view->sync();
    w->show();
    w->raise();
    w->activateWindow();
    if (!run.closed) run.loop.exec(QEventLoop::DialogExec);
    modalRuns_.erase(window);
    w->hide();
}

void QtPlatform::closeModal(WindowId window) {
    auto it = modalRuns_.find(window);
    if (it != modalRuns_.end()) {
        it->second->closed = true;
        it->second->loop.quit();
    }
    if (window == WindowId::Black && onQuit) onQuit();
}

void QtPlatform::setDrawingFrozen(WindowId window, bool frozen) {
    if (QWidget* w = parentFor(window)) w->setUpdatesEnabled(!frozen);
}

void QtPlatform::messageBox(const std::string& text, const std::string& caption) {
    syncAll();
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void QtPlatform::showError(const std::string& text) {
    syncAll();
    QMessageBox box(QMessageBox::Critical, "Lanternfall", QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

namespace {
QString QtFilter(const std::string& filter) {
    // "Saved games|*.sav" -> "Saved games (*.sav)"
    size_t bar = filter.find('|');
    if (bar == std::string::npos) return QString::fromStdString(filter);
    return QString::fromStdString(filter.substr(0, bar) + " (" + filter.substr(bar + 1) + ")");
}

QString StartFolder(const FileDialogOptions& options, const GameFiles& files) {
    QString folder = QString::fromStdString(options.initialFolder);
    QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable()) folder = QString::fromStdString(files.writableFolder().string());
    return QDir(folder).absolutePath();
}
}  // namespace

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogOptions& options) {
    syncAll();
    QFileDialog dialog(QApplication::activeWindow(), "Open Saved Game", StartFolder(options, files_), QtFilter(options.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtPlatform::saveFileDialog(const FileDialogOptions& options) {
    syncAll();
    QFileDialog dialog(QApplication::activeWindow(), "Save Game", StartFolder(options, files_), QtFilter(options.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromStdString(options.defaultExtension).remove('.'));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!options.fileName.empty()) dialog.selectFile(QString::fromStdString(options.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

MediaDevice& QtPlatform::media(PlayerId id) {
    auto& slot = media_[id];
    if (!slot) {
        slot = MakeMediaDevice(*this, id);
        if (auto* p = dynamic_cast<HeldPlayer*>(slot.get())) {
            p->setVolume(musicGain());
            p->hold(paused_);
        }
    }
    return *slot;
}

void QtPlatform::notifyMedia(PlayerId id) {
    QTimer::singleShot(0, this, [this, id] {
        if (quiet_ > 0 || paused_) {
            heldMediaEnds_.push_back(id);
            return;
        }
        if (events_) events_->onMediaNotify(id);
        syncAll();
    });
}

void QtPlatform::playSound(const std::string& file) {
    // Each effect gets a fresh output that starts at once; a new effect cuts off the last.
    auto path = files_.find(file);
    if (!path) return;
    QFile f(QString::fromStdString(path->string()));
    if (!f.open(QIODevice::ReadOnly)) return;
    QByteArray bytes = f.readAll();
    auto wav = ReadWav(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    if (!wav) return;
    int channels = wav->channels, rate = wav->sampleRate;
    QByteArray pcm(reinterpret_cast<const char*>(wav->pcm.data()), qsizetype(wav->pcm.size()));
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (soundPlayer_) {
        static_cast<QAudioSink*>(soundPlayer_)->stop();
        soundPlayer_->deleteLater();
        soundPlayer_ = nullptr;
    }
    auto* sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), format, this);
    auto* buffer = new QBuffer(sink);
    buffer->setData(pcm);
    buffer->open(QIODevice::ReadOnly);
    sink->setVolume(effectsGain());
    sink->start(buffer);
    if (paused_) sink->suspend();  // an effect of a paused moment waits with it
    soundPlayer_ = sink;
}

void QtPlatform::showHelp(const std::string& file) {
    auto path = files_.find(file);
    if (!path) {
        showError("The help file \"" + NormalizeGameName(file) + "\" is missing (looked in: " + files_.searchedFolders() + ")");
        return;
    }
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(QApplication::activeWindow());
        window->setWindowTitle("Lanternfall Help");
        window->resize(720, 640);
        auto* layout = new QVBoxLayout(window);
        auto* browser = new QTextBrowser(window);
        browser->setObjectName("helpBrowser");
        browser->setOpenExternalLinks(false);
        layout->addWidget(browser);
    }
    auto* browser = window->findChild<QTextBrowser*>("helpBrowser");
    browser->setSource(QUrl::fromLocalFile(QString::fromStdString(path->string())));
    // The help keeps its share of the game's area, its text drawn at that size.
    window->resize(UiPixels(720), UiPixels(640));
    browser->setFont(UiFont("Liberation Serif", 16));
    window->show();
    window->raise();
}

void QtPlatform::beginTransition(Effect effect, WindowId window, const Rect& area) {
    Transition& t = transitions_[effect];
    t = Transition{};
    QWidget* w = parentFor(window);
    if (!w || !w->isVisible()) return;
    syncAll();
    t.widget = w;
    t.area = QRect(area.left, area.top, area.width, area.height);
    t.before = w->grab();
    t.active = true;
}

void QtPlatform::playTransition(Effect effect) {
    Transition& t = transitions_[effect];
    if (!t.active || !t.widget) return;
    syncAll();
    int duration = effect == Effect::TR1 ? 1000 : effect == Effect::TR2 ? 500 : 0;
    if (duration == 0) return;
    QWidget* w = t.widget;
    w->repaint();
    QImage before = t.before.toImage().convertToFormat(QImage::Format_RGB32);
    QImage after = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (after.size() != before.size()) before = before.scaled(after.size());
    QImage frame(after.size(), QImage::Format_RGB32);
    auto* overlay = new QLabel(w);
    overlay->setGeometry(0, 0, w->width(), w->height());
    overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
    overlay->show();
    RunBlend(duration, WaitInEventLoop, [&](double k) {
        ComposeBlendFrame(before, after, k, frame);
        overlay->setPixmap(QPixmap::fromImage(frame));
        overlay->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 2);
    });
    delete overlay;
}

void QtPlatform::endTransition(Effect effect) { transitions_.erase(effect); }

void QtPlatform::blendWindowIn(QWidget* window, int durationMs) {
    if (!window) return;
    // The blend runs on a timer while the window's own loop runs, so the window answers
    // presses and keys from its first moment.
    QPointer<QWidget> w = window;
    auto* step = new QTimer(window);
    step->setTimerType(Qt::PreciseTimer);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    window->setWindowOpacity(0.0);
    window->show();
    blending_.insert(window);
    // Where the window system has no opacity (offscreen) the steps are kept but not sent.
    const QString kind = QGuiApplication::platformName();
    const bool opacity = kind != "offscreen" && kind != "minimal";
    connect(step, &QTimer::timeout, window, [this, w, step, clock, durationMs, opacity] {
        double k = durationMs > 0 ? std::min(1.0, double(clock->elapsed()) / durationMs) : 1.0;
        if (!w->isVisible()) k = 1.0;  // closed while it blended: it opens solid next time
        if (opacity || k >= 1.0) w->setWindowOpacity(k);
        // Without this the opacity steps wait in the connection to the display until the
        // loop is idle, and the window jumps from clear to solid.
        if (opacity) QGuiApplication::sync();
        if (k >= 1.0) {
            blending_.remove(w.data());
            step->stop();
            step->deleteLater();
        }
    });
    step->start(8);
}

QCursor QtPlatform::cursor(int id) const {
    switch (id) {
        case crHandPoint: {
            auto own = cursors_.find(crHandPoint);
            return own != cursors_.end() ? own->second : QCursor(Qt::PointingHandCursor);
        }
        case crHourGlass: return QCursor(Qt::WaitCursor);
        case crArrow:
        case crDefault: return QCursor(Qt::ArrowCursor);
        default: break;
    }
    auto it = cursors_.find(id);
    return it != cursors_.end() ? it->second : QCursor(Qt::ArrowCursor);
}

void QtPlatform::installCursor(int id, const std::string& resourceName) {
    if (resourceName.empty() || cursors_.count(id)) return;
    auto bytes = resources_.find(kCursorResource, resourceName);
    if (!bytes || bytes->size() < 3) return;  // a missing cursor leaves the system default
    QPixmap pm;
    pm.loadFromData(bytes->data() + 2, uint(bytes->size() - 2), "PNG");
    if (pm.isNull()) return;
    cursors_[id] = QCursor(pm, (*bytes)[0], (*bytes)[1]);
}

QPixmap QtPlatform::bitmap(const std::string& name) const {
    // Decoded once: the views ask for their faces on every sync, also while the game waits.
    auto cached = bitmaps_.find(name);
    if (cached != bitmaps_.end()) return cached->second;
    QPixmap pm;
    auto bytes = resources_.find(kBitmapResource, name);
    if (!bytes) bytes = resources_.find(kPngResource, name);
    if (!bytes) bytes = resources_.find(kJpegResource, name);
    if (bytes) pm.loadFromData(bytes->data(), uint(bytes->size()));
    bitmaps_.emplace(name, pm);
    return pm;
}

QImage QtPlatform::toQImage(const Image& image) {
    if (image.empty()) return QImage();
    QImage::Format format = image.channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
    QImage view(image.pixels.data(), image.width, image.height, image.width * image.channels, format);
    return view.copy();
}

}  // namespace lnf
