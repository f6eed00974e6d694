#include "sound.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <thread>
#include <vector>

namespace lnf::test {

namespace {
Sound current = Sound::Default;
pid_t server = 0;
std::string folder;
std::string problem;

bool StartPrivateServer() {
    char tmpl[] = "/tmp/lnf-sound-XXXXXX";
    if (!mkdtemp(tmpl)) {
        problem = "no temporary folder";
        return false;
    }
    folder = tmpl;
    std::string socket = folder + "/native";
    std::string log = "--log-target=file:" + folder + "/server.log";
    std::string sink = "module-null-sink sink_name=lnf rate=44100 channels=2";
    std::string native = "module-native-protocol-unix socket=" + socket + " auth-anonymous=1";
    pid_t pid = fork();
    if (pid < 0) {
        problem = "fork failed";
        return false;
    }
    if (pid == 0) {
        // The server must not outlive the test, nor hold its output open for whoever waits
        // on it (ctest would wait for a killed test's server).
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            if (null > 2) close(null);
        }
        // The server keeps its state in the test's folder, never in the tester's home.
        setenv("HOME", folder.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        setenv("PULSE_RUNTIME_PATH", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
               "--disable-shm=yes", "--realtime=no", "--high-priority=no", log.c_str(), "-L", sink.c_str(), "-L",
               native.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    server = pid;
    for (int i = 0; i < 100; ++i) {
        struct stat st {};
        if (stat(socket.c_str(), &st) == 0) {
            setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
            return true;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            server = 0;
            problem = "pulseaudio did not start (is it installed?)";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    problem = "pulseaudio made no socket in 5 s";
    StopSound();
    return false;
}
}  // namespace

Sound PrepareSound() {
    const char* want = getenv("LNF_SOUND");
    std::string w = want ? want : "";
    if (w == "private") {
        current = StartPrivateServer() ? Sound::Private : Sound::Default;
    } else if (w == "none") {
        // A server address that leads nowhere: what a player without a sound device has.
        setenv("PULSE_SERVER", "unix:/nonexistent/lanternfall-no-sound", 1);
        current = Sound::None;
    }
    return current;
}

Sound CurrentSound() { return current; }
const std::string& SoundProblem() { return problem; }

void StopSound() {
    if (server > 0) {
        kill(server, SIGTERM);
        int status = 0;
        for (int i = 0; i < 40 && waitpid(server, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (waitpid(server, &status, WNOHANG) == 0) {
            kill(server, SIGKILL);
            waitpid(server, &status, 0);
        }
        server = 0;
    }
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        folder.clear();
    }
}

bool Recorder::start() {
    process_.setProgram("parec");
    process_.setArguments({"-d", "lnf.monitor", "--format=s16le", "--rate=44100", "--channels=2", "--raw",
                           "--latency-msec=20"});
    process_.start();
    if (!process_.waitForStarted(3000)) return false;
    // Recording has begun once the first silence arrives.
    for (int i = 0; i < 30 && pcm_.isEmpty(); ++i) {
        process_.waitForReadyRead(100);
        drain();
    }
    return !pcm_.isEmpty();
}

void Recorder::stop() {
    drain();
    process_.terminate();
    process_.waitForFinished(2000);
    drain();
}

void Recorder::drain() { pcm_ += process_.readAllStandardOutput(); }

qint64 Recorder::markMs() {
    process_.waitForReadyRead(5);
    drain();
    return lengthMs();
}

double Recorder::level(qint64 fromMs, qint64 toMs) const {
    qint64 from = std::max<qint64>(0, fromMs * kRate / 1000), to = std::min<qint64>(pcm_.size() / kFrameBytes, toMs * kRate / 1000);
    if (to <= from) return 0.0;
    const auto* s = reinterpret_cast<const int16_t*>(pcm_.constData());
    double sum = 0;
    for (qint64 i = from * 2; i < to * 2; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / double((to - from) * 2)) / 32768.0;
}

}  // namespace lnf::test
