// The cross-fade of the transitions: one frame, and a run that keeps its duration.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>

namespace lnf {

// frame = before faded into after by k (0..1). All three are the same size, Format_RGB32.
void ComposeBlendFrame(const QImage& before, const QImage& after, double k, QImage& frame);

// Calls `frame(k)` with k rising from 0 to exactly 1 over `durationMs`, paced to the
// display's frame rate, waiting between frames with `wait(ms)`; a slow frame is skipped over,
// never stretched into the next. Returns the time it took.
int64_t RunBlend(int durationMs, const std::function<void(int)>& wait, const std::function<void(double)>& frame);

// Sleeps `ms` in a nested event loop that lets the screen draw but holds presses and keys
// back until it ends.
void WaitInEventLoop(int ms);

}  // namespace lnf
