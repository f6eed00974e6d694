#include "qt/blend.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace lnf {

void ComposeBlendFrame(const QImage& before, const QImage& after, double k, QImage& frame) {
    // Integer blend over the 32-bit pixels: a fixed cost per pixel whatever the area.
    const int a = std::clamp(int(k * 256.0 + 0.5), 0, 256), b = 256 - a;
    const int n = frame.width() * frame.height();
    const uint32_t* p = reinterpret_cast<const uint32_t*>(before.constBits());
    const uint32_t* q = reinterpret_cast<const uint32_t*>(after.constBits());
    uint32_t* o = reinterpret_cast<uint32_t*>(frame.bits());
    for (int i = 0; i < n; ++i) {
        uint32_t x = p[i], y = q[i];
        uint32_t rb = (((x & 0x00FF00FFu) * uint32_t(b) + (y & 0x00FF00FFu) * uint32_t(a)) >> 8) & 0x00FF00FFu;
        uint32_t g = (((x & 0x0000FF00u) * uint32_t(b) + (y & 0x0000FF00u) * uint32_t(a)) >> 8) & 0x0000FF00u;
        o[i] = 0xFF000000u | rb | g;
    }
}

int64_t RunBlend(int durationMs, const std::function<void(int)>& wait, const std::function<void(double)>& frame) {
    QElapsedTimer clock;
    clock.start();
    const int64_t framePeriod = 16;  // about 60 frames a second
    for (;;) {
        int64_t t = clock.elapsed();
        double k = durationMs > 0 ? std::min(1.0, double(t) / durationMs) : 1.0;
        frame(k);
        if (k >= 1.0) break;
        int64_t next = std::min<int64_t>(durationMs, (t / framePeriod + 1) * framePeriod);
        int64_t pause = next - clock.elapsed();
        if (pause > 0) wait(int(pause));
    }
    return clock.elapsed();
}

void WaitInEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(std::max(0, ms), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace lnf
