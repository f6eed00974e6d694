#include "qt/media_devices.h"

#include <QAudioOutput>
#include <QElapsedTimer>
#include <QLabel>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "media/clip_decoder.h"
#include "qt/qt_platform.h"

namespace lnf {

namespace {

// Music: one tune at a time through Qt Multimedia, reporting its end as a notification.
class QtMusic : public QObject, public MediaDevice, public HeldPlayer {
public:
    QtMusic(QtPlatform& platform, PlayerId id) : platform_(platform), id_(id) {}
    void open(const std::string& file) override {
        close();
        auto path = platform_.files().find(file);
        if (!path) {
            error_ = 275;
            throw MediaError("Cannot open the media file \"" + NormalizeGameName(file) + "\"");
        }
        if (!player_) {
            player_ = new QMediaPlayer(this);
            output_ = new QAudioOutput(this);
            output_->setVolume(float(volume_));
            player_->setAudioOutput(output_);
            QObject::connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
                if (s == QMediaPlayer::EndOfMedia && playing_) {
                    playing_ = false;
                    lastPosition_ = player_->position();
                    platform_.notifyMedia(id_);
                }
            });
            QObject::connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString&) {
                error_ = 1;
                if (playing_) {
                    playing_ = false;
                    platform_.notifyMedia(id_);
                }
            });
        }
        error_ = 0;
        player_->setSource(QUrl::fromLocalFile(QString::fromStdString(path->string())));
        open_ = true;
    }
    void close() override {
        if (player_ && open_) {
            bool wasPlaying = playing_;
            playing_ = false;
            player_->stop();
            player_->setSource(QUrl());
            if (wasPlaying) platform_.notifyMedia(id_);
        }
        open_ = false;
    }
    void play() override {
        if (!open_) {
            error_ = 263;
            throw MediaError("The media device is not open");
        }
        player_->setPosition(0);
        if (!held_) player_->play();  // a tune started in a pause waits for its end
        playing_ = true;
    }
    void hold(bool held) override {
        held_ = held;
        if (!player_ || !playing_) return;
        if (held) player_->pause();
        else player_->play();  // on from where it stood
    }
    void setVolume(double linear) override {
        volume_ = linear;
        if (output_) output_->setVolume(float(linear));
    }
    int64_t position() const override {
        if (!player_ || !open_) return 0;
        return playing_ ? player_->position() : lastPosition_;
    }
    int error() const override { return error_; }
    void setDestination(const Rect&) override {}

private:
    QtPlatform& platform_;
    PlayerId id_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    bool open_ = false;
    bool playing_ = false;
    bool held_ = false;
    double volume_ = 1.0;
    int64_t lastPosition_ = 0;
    int error_ = 0;
};

// Video clips: decoded whole when opened, then painted frame by frame into the picture
// panel on the clock, so a clip always starts and always ends on time.
class QtVideo : public QObject, public MediaDevice, public HeldPlayer {
public:
    QtVideo(QtPlatform& platform, PlayerId id) : platform_(platform), id_(id) {}
    ~QtVideo() override { delete surface_; }
    void open(const std::string& file) override {
        close();
        auto path = platform_.files().find(file);
        if (!path) {
            error_ = 275;
            throw MediaError("Cannot open the video \"" + NormalizeGameName(file) + "\"");
        }
        if (loadedFrom_ != path->string()) {
            try {
                clip_ = DecodeClip(path->string());
            } catch (const std::exception& e) {
                error_ = 277;
                throw MediaError(e.what());
            }
            loadedFrom_ = path->string();
            frames_.clear();
            for (const Image& f : clip_.frames) frames_.push_back(QPixmap::fromImage(QtPlatform::toQImage(f)));
        }
        open_ = true;
        error_ = 0;
    }
    void close() override {
        bool wasPlaying = playing_;
        stop();
        if (surface_) surface_->hide();
        open_ = false;
        if (wasPlaying) platform_.notifyMedia(id_);
    }
    void play() override {
        if (!open_) {
            error_ = 263;
            throw MediaError("The media device is not open");
        }
        QWidget* parent = platform_.videoParent ? platform_.videoParent() : nullptr;
        if (!surface_ || surface_->parentWidget() != parent) {
            delete surface_;
            surface_ = new QLabel(parent);
            surface_->setScaledContents(true);
            surface_->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        QPoint origin = platform_.videoOrigin ? platform_.videoOrigin() : QPoint();
        surface_->setGeometry(origin.x() + dest_.left, origin.y() + dest_.top, dest_.width, dest_.height);
        surface_->setPixmap(frames_.front());
        surface_->show();
        surface_->raise();
        shownFrame_ = 0;
        playing_ = true;
        before_ = 0;
        started_.start();
        if (!timer_) {
            timer_ = new QTimer(this);
            timer_->setTimerType(Qt::PreciseTimer);
            QObject::connect(timer_, &QTimer::timeout, this, [this] { step(); });
        }
        if (!held_) timer_->start(stepMs());  // a clip started in a pause shows its first frame
        if (platform_.onVideoStarted) platform_.onVideoStarted(surface_);
    }
    int64_t position() const override {
        if (!open_) return 0;
        return playing_ ? elapsed() : clip_.durationMs();
    }
    void hold(bool held) override {
        if (held == held_) return;
        if (held) before_ = elapsed();  // the clip's own time stops here
        held_ = held;
        if (held) {
            if (timer_) timer_->stop();
        } else {
            started_.start();
            if (playing_ && timer_) timer_->start(stepMs());
        }
    }
    void setVolume(double) override {}  // the clips are silent
    int error() const override { return error_; }
    void setDestination(const Rect& r) override { dest_ = r; }

private:
    int stepMs() const { return std::max(5, int(500 / clip_.framesPerSecond)); }
    // The time the clip has played: what it played before the last pause and since its end.
    int64_t elapsed() const { return held_ ? before_ : before_ + started_.elapsed(); }
    void step() {
        int64_t t = elapsed();
        int frame = int(t * clip_.framesPerSecond / 1000.0);
        if (frame >= int(frames_.size())) {
            stop();
            if (platform_.onVideoEnded) platform_.onVideoEnded(surface_);
            platform_.notifyMedia(id_);  // the last picture stays until the room picture changes
            return;
        }
        if (frame != shownFrame_) {
            shownFrame_ = frame;
            surface_->setPixmap(frames_[size_t(frame)]);
        }
    }
    void stop() {
        playing_ = false;
        if (timer_) timer_->stop();
    }
    QtPlatform& platform_;
    PlayerId id_;
    Clip clip_;
    std::string loadedFrom_;
    std::vector<QPixmap> frames_;
    QPointer<QLabel> surface_;
    QTimer* timer_ = nullptr;
    QElapsedTimer started_;
    Rect dest_;
    int shownFrame_ = 0;
    int64_t before_ = 0;
    bool open_ = false;
    bool playing_ = false;
    bool held_ = false;
    int error_ = 0;
};

}  // namespace

std::unique_ptr<MediaDevice> MakeMediaDevice(QtPlatform& platform, PlayerId id) {
    if (id == PlayerId::MP1) return std::make_unique<QtMusic>(platform, id);
    return std::make_unique<QtVideo>(platform, id);
}

}  // namespace lnf
