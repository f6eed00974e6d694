// Lets the real Qt event loop run while a test waits for what the players do on their clocks.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace lnf::test {

// Runs events until `done` holds; false when `timeoutMs` passed first.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QEventLoop loop;
        QTimer::singleShot(4, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

inline void Wait(int ms) {
    WaitUntil([] { return false; }, ms);
}

}  // namespace lnf::test
