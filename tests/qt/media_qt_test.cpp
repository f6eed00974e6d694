// The player's real media: the clip player, the music player and the effects, driven through
// the same device interface the game uses, against the shipped clips, tunes and effects.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "media/clip_decoder.h"
#include "pictures/resources.h"
#include "qt/qt_platform.h"
#include "sound.h"
#include "support.h"
#include "world/game_files.h"

namespace lnf {
namespace {

namespace fs = std::filesystem;
using test::Wait;
using test::WaitUntil;

struct Ends : PlatformEvents {
    std::map<PlayerId, int> count;
    std::function<void(PlayerId)> then;
    void onTimer(TimerId) override {}
    void onMediaNotify(PlayerId id) override {
        ++count[id];
        if (then) then(id);
    }
};

class QtMedia : public ::testing::Test {
protected:
    QtMedia() : user_("lnf-qt"), files_(user_.path, {fs::path(LNF_GAME_DIR)}), platform_(files_, EmbeddedResources()) {
        panel_.resize(792, 392);  // the room picture at 1024 x 768
        panel_.show();
        platform_.videoParent = [this] { return &panel_; };
        platform_.videoOrigin = [] { return QPoint(0, 0); };
        platform_.setEvents(&ends_);
    }
    ~QtMedia() override { platform_.setEvents(nullptr); }
    QLabel* surfaceAt(const QRect& r) { return test::LabelAt(panel_, r); }
    test::UserFolder user_;
    GameFiles files_;
    QtPlatform platform_;
    QWidget panel_;
    Ends ends_;
};

QImage Rgb(const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); }

// The three clips, each in the rectangle the game gives it at 1024 x 768.
struct ClipCase {
    PlayerId id;
    const char* file;
    QRect rect;
};
const ClipCase kClips[] = {
    {PlayerId::MP, "p1\\JUBJUB.AVI", QRect(65, 16, 312, 148)},
    {PlayerId::MP2, "p1\\CATFISH.AVI", QRect(629, 212, 164, 188)},
    {PlayerId::MP3, "p2\\TREE.AVI", QRect(544, 77, 91, 71)},
};

TEST_F(QtMedia, EveryClipStartsShowsItsFramesAndEndsOnTimeFiftyTimesRunning) {
    constexpr int kPlays = 50;
    struct Run {
        const ClipCase* c;
        Clip clip;
        QElapsedTimer since;
        int plays = 0;
        std::vector<int64_t> lengths;
        std::vector<int> framesSeen;
        std::set<qint64> seenThisPlay;
        bool wrongPlace = false;
    };
    std::map<PlayerId, Run> runs;
    for (const ClipCase& c : kClips) {
        Run& r = runs[c.id];
        r.c = &c;
        r.clip = DecodeClip(files_.find(c.file)->string());
        ASSERT_GE(r.clip.frames.size(), 24u) << c.file;
    }
    auto start = [&](Run& r) {
        MediaDevice& d = platform_.media(r.c->id);
        d.open(r.c->file);
        d.setDestination(Rect{r.c->rect.x(), r.c->rect.y(), r.c->rect.width(), r.c->rect.height()});
        d.play();
        r.since.start();
        r.seenThisPlay.clear();
        QLabel* s = surfaceAt(r.c->rect);
        if (!s || !s->isVisible()) r.wrongPlace = true;
    };
    ends_.then = [&](PlayerId id) {
        Run& r = runs[id];
        r.lengths.push_back(r.since.elapsed());
        r.framesSeen.push_back(int(r.seenThisPlay.size()));
        if (++r.plays < kPlays) start(r);
    };
    // The three players run side by side, so the loop also shows they do not disturb each other.
    for (auto& [id, r] : runs) start(r);
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        for (auto& [id, r] : runs) {
            if (QLabel* s = surfaceAt(r.c->rect)) r.seenThisPlay.insert(s->pixmap().cacheKey());
        }
    });
    sampler.start(20);
    bool done = WaitUntil(
        [&] {
            for (auto& [id, r] : runs)
                if (r.plays < kPlays) return false;
            return true;
        },
        kPlays * 3000 + 60000);
    sampler.stop();
    ASSERT_TRUE(done) << "not every clip reached its end " << kPlays << " times";
    for (auto& [id, r] : runs) {
        SCOPED_TRACE(r.c->file);
        EXPECT_FALSE(r.wrongPlace) << "the clip was not shown in its rectangle";
        EXPECT_EQ(ends_.count[id], kPlays) << "one end notice per play";
        int64_t length = r.clip.durationMs();
        for (size_t i = 0; i < r.lengths.size(); ++i) {
            EXPECT_GE(r.lengths[i], length - 20) << "play " << i << " ended early";
            EXPECT_LE(r.lengths[i], length + 1500) << "play " << i << " ended late";
            // Frames change every 83 ms and are sampled every 20 ms: most must be seen.
            EXPECT_GE(r.framesSeen[i], int(r.clip.frames.size()) / 2) << "play " << i << " stood still";
        }
        auto [shortest, longest] = std::minmax_element(r.lengths.begin(), r.lengths.end());
        std::printf("%s: %d plays of %lld ms, each %lld..%lld ms, at least %d of %zu frames seen\n", r.c->file,
                    r.plays, (long long)length, (long long)*shortest, (long long)*longest,
                    *std::min_element(r.framesSeen.begin(), r.framesSeen.end()), r.clip.frames.size());
        // The last picture stays in the rectangle after the end.
        QLabel* s = surfaceAt(r.c->rect);
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(s->isVisible());
        EXPECT_EQ(Rgb(s->pixmap().toImage()), Rgb(QtPlatform::toQImage(r.clip.frames.back())));
    }
    Wait(300);
    for (auto& [id, r] : runs) EXPECT_EQ(ends_.count[id], kPlays) << "no notice after the last end";
}

TEST_F(QtMedia, ClipClosedWhilePlayingEndsOnceAndAMissingClipIsAnError) {
    MediaDevice& d = platform_.media(PlayerId::MP3);
    d.open("p2\\TREE.AVI");
    d.setDestination(Rect{544, 77, 91, 71});
    d.play();
    Wait(400);
    EXPECT_GT(d.position(), 300);
    d.close();
    Wait(3500);  // past the clip's own end
    EXPECT_EQ(ends_.count[PlayerId::MP3], 1);

    MediaDevice& m = platform_.media(PlayerId::MP);
    EXPECT_THROW(m.open("p1\\NOSUCH.AVI"), MediaError);
    EXPECT_NE(m.error(), 0);
    EXPECT_THROW(m.play(), MediaError);
}

// Music: these run with a private sound server and again with none at all.
TEST_F(QtMedia, MusicTunePlaysOnceToItsEndAndReportsIt) {
    MediaDevice& mp1 = platform_.media(PlayerId::MP1);
    mp1.open("music\\roar.wma");
    QElapsedTimer t;
    t.start();
    mp1.play();
    ASSERT_TRUE(WaitUntil([&] { return mp1.position() > 500; }, 15000)) << "the tune does not advance";
    ASSERT_TRUE(WaitUntil([&] { return ends_.count[PlayerId::MP1] > 0; }, 30000)) << "no end notice";
    // The roar sounds for eight seconds; the build cuts the silence after it.
    EXPECT_GE(t.elapsed(), 7500) << "the roar tune is about eight seconds long";
    EXPECT_GE(mp1.position(), 7500);
    Wait(1500);
    EXPECT_EQ(ends_.count[PlayerId::MP1], 1) << "a tune is played once, never looped";
}

TEST_F(QtMedia, MusicClosedWhilePlayingStopsAndAMissingTuneIsAnError) {
    MediaDevice& mp1 = platform_.media(PlayerId::MP1);
    mp1.open("music\\intro.wma");
    mp1.play();
    ASSERT_TRUE(WaitUntil([&] { return mp1.position() > 300; }, 15000));
    mp1.close();
    Wait(300);
    EXPECT_EQ(ends_.count[PlayerId::MP1], 1);
    EXPECT_THROW(mp1.open("music\\nosuch.wma"), MediaError);
    EXPECT_NE(mp1.error(), 0);
    // The player is still good for the next tune.
    mp1.open("music\\flute.wma");
    mp1.play();
    EXPECT_TRUE(WaitUntil([&] { return mp1.position() > 300; }, 15000));
    mp1.close();
}

// What the player hears: the private server's sink is recorded while music and effects play.
TEST_F(QtMedia, AudibleMusicAndEffectsReachTheSoundServer) {
    ASSERT_EQ(test::CurrentSound(), test::Sound::Private)
        << "needs LNF_SOUND=private and pulseaudio: " << test::SoundProblem();
    test::Recorder rec;
    ASSERT_TRUE(rec.start()) << "parec could not record the sink";
    Wait(400);
    qint64 quietEnd = rec.markMs();
    EXPECT_LT(rec.level(0, quietEnd), 0.001) << "the sink is not silent before anything plays";

    MediaDevice& mp1 = platform_.media(PlayerId::MP1);
    mp1.open("music\\intro.wma");
    mp1.play();
    qint64 musicStart = rec.markMs();
    Wait(2500);
    // An effect over the music: the tune carries on under it.
    int64_t before = mp1.position();
    platform_.playSound("music\\door.wav");
    qint64 doorOverMusic = rec.markMs();
    Wait(1200);
    EXPECT_GT(mp1.position(), before + 800) << "the effect stopped the music";
    EXPECT_EQ(ends_.count[PlayerId::MP1], 0);
    mp1.close();
    qint64 musicEnd = rec.markMs();
    Wait(1000);

    // Effects fired in quick succession: each one is heard when it is fired.
    std::vector<qint64> shots;
    for (int i = 0; i < 4; ++i) {
        platform_.playSound(i % 2 ? "music\\jubjub.wav" : "music\\door.wav");
        shots.push_back(rec.markMs());
        Wait(350);
    }
    Wait(1800);
    qint64 after = rec.markMs();
    rec.stop();

    double music = rec.level(musicStart + 600, musicStart + 2400);
    double over = rec.level(doorOverMusic + 100, doorOverMusic + 600);
    double silence = rec.level(musicEnd + 500, musicEnd + 900);
    double tail = rec.level(after - 300, after);
    std::printf("heard: music %.4f, effect over music %.4f, after closing %.5f, tail %.5f\n", music, over, silence, tail);
    for (qint64 s : shots) std::printf("heard: effect %.4f\n", rec.level(s + 60, s + 330));
    EXPECT_GT(music, 0.01) << "the intro tune is not heard";
    EXPECT_GT(over, 0.01);
    EXPECT_LT(silence, 0.002) << "the tune goes on after it was closed";
    EXPECT_LT(tail, 0.002) << "an effect goes on after its end";
    for (size_t i = 0; i < shots.size(); ++i)
        EXPECT_GT(rec.level(shots[i] + 60, shots[i] + 330), 0.01) << "effect " << i << " is not heard";
}

}  // namespace
}  // namespace lnf
