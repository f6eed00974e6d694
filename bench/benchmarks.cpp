// Speed of the things a player waits for: decoding room pictures, entering rooms, composing
// changed pictures, and blend frames. Run: build/lanternfall_bench (see docs/PERFORMANCE.md).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <cstdio>
#include <jpeglib.h>

#include "app/application.h"
#include "app/lnf_game.h"
#include "pictures/jpeg.h"
#include "pictures/resources.h"
#include "platform/headless_platform.h"
#include "qt/blend.h"
#include "qt/views.h"
#include "windows/lnf_intro.h"
#include "windows/lnf_black.h"

using namespace lnf;

namespace {

std::vector<std::vector<uint8_t>> RoomJpegs() {
    std::vector<std::vector<uint8_t>> rooms;
    GameFiles files({}, {LNF_GAME_DIR});
    for (int r = 1; r <= 32; ++r) {
        char name[16];
        std::snprintf(name, sizeof name, r <= 25 ? "R%02d" : "p2/%02d.jpg", r);
        if (r <= 25) {
            auto span = EmbeddedResources().get(kJpegResource, name);
            rooms.emplace_back(span.begin(), span.end());
        } else {
            rooms.push_back(files.read(name));
        }
    }
    return rooms;
}

// libjpeg-turbo called directly with the same settings, from memory.
void BareDecode(const std::vector<uint8_t>& bytes, std::vector<uint8_t>& out) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;
    cinfo.do_block_smoothing = TRUE;
    jpeg_start_decompress(&cinfo);
    out.resize(size_t(cinfo.output_width) * cinfo.output_height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.data() + size_t(cinfo.output_scanline) * cinfo.output_width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

void DecodeRooms_GameLoader(benchmark::State& state) {
    auto rooms = RoomJpegs();
    for (auto _ : state) {
        for (const auto& r : rooms) benchmark::DoNotOptimize(DecodeJpeg(r).image.pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(rooms.size()));
}
BENCHMARK(DecodeRooms_GameLoader)->Unit(benchmark::kMillisecond);

void DecodeRooms_BareLibjpeg(benchmark::State& state) {
    auto rooms = RoomJpegs();
    std::vector<uint8_t> out;
    for (auto _ : state) {
        for (const auto& r : rooms) {
            BareDecode(r, out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * int64_t(rooms.size()));
}
BENCHMARK(DecodeRooms_BareLibjpeg)->Unit(benchmark::kMillisecond);

struct HeadlessGame {
    std::filesystem::path user = std::filesystem::temp_directory_path() / ("lnf_bench_" + std::to_string(::getpid()));
    GameFiles files{user, {LNF_GAME_DIR}};
    HeadlessPlatform platform{&files};
    Application app{platform, files, EmbeddedResources(), {1024, 768}};
    HeadlessGame() {
        app.Black->Time1.setEnabled(false);
        app.Game->FormShow();
        app.Game->FormActivate();
        app.Game->menu("MusicOFF").Checked = true;
    }
    ~HeadlessGame() { std::filesystem::remove_all(user); }
};

void EnterRoom(benchmark::State& state) {
    HeadlessGame g;
    int room = int(state.range(0));
    for (auto _ : state) g.app.Game->NewRoom(room);
}
BENCHMARK(EnterRoom)->DenseRange(1, 32)->Unit(benchmark::kMillisecond);

void ComposeDrawCorner(benchmark::State& state) {
    HeadlessGame g;
    g.app.Game->NewRoom(int(state.range(0)) == 50 ? 7 : 23);
    for (auto _ : state) g.app.Game->DrawCorner(int(state.range(0)));
}
BENCHMARK(ComposeDrawCorner)->Arg(50)->Arg(178)->Unit(benchmark::kMillisecond);

void ComposeUpDateScreen(benchmark::State& state) {
    HeadlessGame g;
    for (auto _ : state) g.app.Game->UpDateScreen(int(state.range(0)), 1);
}
BENCHMARK(ComposeUpDateScreen)->Arg(5)->Arg(15)->Arg(18)->Unit(benchmark::kMillisecond);

void BlendFrame(benchmark::State& state) {
    int w = int(state.range(0)), h = int(state.range(1));
    QImage before(w, h, QImage::Format_RGB32), after(w, h, QImage::Format_RGB32), frame(w, h, QImage::Format_RGB32);
    before.fill(QColor(30, 60, 90));
    after.fill(QColor(200, 180, 40));
    double k = 0;
    for (auto _ : state) {
        ComposeBlendFrame(before, after, k, frame);
        k = k > 0.99 ? 0 : k + 0.01;
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BlendFrame)->Args({792, 392})->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BlendDuration(benchmark::State& state) {
    int w = 1024, h = 768;
    QImage before(w, h, QImage::Format_RGB32), after(w, h, QImage::Format_RGB32), frame(w, h, QImage::Format_RGB32);
    before.fill(Qt::black);
    after.fill(Qt::white);
    for (auto _ : state) {
        int frames = 0;
        int64_t ms = RunBlend(int(state.range(0)), WaitInEventLoop, [&](double k) {
            ComposeBlendFrame(before, after, k, frame);
            ++frames;
        });
        state.counters["measured_ms"] = double(ms);
        state.counters["frames"] = frames;
    }
}
BENCHMARK(BlendDuration)->Arg(1000)->Arg(500)->Iterations(3)->Unit(benchmark::kMillisecond);

// The real game window and its companions offscreen, in room 4 past the opening narrative.
struct QtStage {
    std::filesystem::path user = std::filesystem::temp_directory_path() / ("lnf_bench_qt_" + std::to_string(::getpid()));
    GameFiles files{user, {LNF_GAME_DIR}};
    QtPlatform platform{files, EmbeddedResources()};
    Application app{platform, files, EmbeddedResources(), {1024, 768}};
    BlackView black{app, platform, QRect(0, 0, 1024, 768)};
    IntroView intro{app, platform, QRect(0, 0, 1024, 768)};
    GameView view{app, platform, false, false};
    AboutView about{app, platform, &view};
    InventoryView inventory{app, platform, &view};
    CloseUpView closeUp{app, platform, &view};
    QtStage(int w, int h) {
        for (auto [id, v] : {std::pair<WindowId, WindowView*>{WindowId::Black, &black}, {WindowId::Intro, &intro},
                             {WindowId::Game, &view}, {WindowId::About1, &about},
                             {WindowId::Inventory, &inventory}, {WindowId::CloseUp, &closeUp}})
            platform.setView(id, v);
        app.Black->Time1.setEnabled(false);
        app.Game->menu("MusicOFF").Checked = true;
        view.setGeometry(0, 0, w, h);
        app.guard([&] {
            app.Game->FormShow();
            app.Game->FormActivate();
            app.Game->Image2MouseDown(MouseButton::Left, 100, 100);
            app.Game->Image2Click();
            for (int n : {3, 5, 12}) app.Game->Display(n, true);
        });
        view.aboutToShow();
        view.show();
        platform.syncAll();
        QApplication::processEvents();
    }
    ~QtStage() { std::filesystem::remove_all(user); }
};

// One whole game frame painted (room picture scaled smoothly, text, bars, inventory).
void PresentGameFrame(benchmark::State& state) {
    QtStage stage(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        QPixmap frame = stage.view.grab();  // every widget painted, none skipped as hidden or clean
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}
BENCHMARK(PresentGameFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// A resized window: the game laid out again for the new area, every window brought up to
// date, and the first frame at the new size painted.
void RescaleAfterResize(benchmark::State& state) {
    QtStage stage(1920, 1080);
    bool large = false;
    for (auto _ : state) {
        large = !large;
        stage.view.resize(large ? QSize(1600, 1000) : QSize(1920, 1080));
        stage.view.repaint();
    }
}
BENCHMARK(RescaleAfterResize)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
