// What the Qt tests share: waiting on the real event loop while the players run on their
// clocks, a player's data folder of the test's own, and finding a clip's surface.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

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

// An empty data folder for the player, removed with the test.
struct UserFolder {
    std::filesystem::path path;
    explicit UserFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~UserFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

// The picture label inside `parent` that covers exactly `rect`: where a clip is drawn.
inline QLabel* LabelAt(QWidget& parent, const QRect& rect) {
    for (QLabel* l : parent.findChildren<QLabel*>())
        if (l->geometry() == rect) return l;
    return nullptr;
}

}  // namespace lnf::test
