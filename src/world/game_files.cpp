#include "world/game_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lnf {

std::string NormalizeGameName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (char ch : name) {
        char c = ch == '\\' ? '/' : ch;
        if (c == '/' && (out.empty() || out.back() == '/')) continue;
        out.push_back(c);
    }
    while (out.size() >= 2 && out[0] == '.' && out[1] == '/') out.erase(0, 2);
    return out;
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::vector<std::string> SplitPath(const std::string& normalized) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= normalized.size()) {
        size_t slash = normalized.find('/', start);
        if (slash == std::string::npos) slash = normalized.size();
        if (slash > start) parts.push_back(normalized.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

}  // namespace

GameFiles::GameFiles(fs::path writable, std::vector<fs::path> readOnly)
    : writable_(std::move(writable)), readOnly_(std::move(readOnly)) {}

namespace {
// The entry of `folder` spelled `part` in any case, or "" if it has none. Every room entry asks
// the player's folder for a file that is usually not there, so the folder is listed with the
// system's own calls: the library's iterator builds a path for every entry it passes.
std::string EntryIgnoringCase(const fs::path& folder, const std::string& part) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return std::string();
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (SameIgnoringCase(name, part)) {
            found = name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
}  // namespace

std::optional<fs::path> GameFiles::findIn(const fs::path& root, const std::string& normalized) const {
    std::string exact = root.native();
    if (!exact.empty() && exact.back() != '/') exact += '/';
    exact += normalized;
    if (IsRegularFile(exact)) return fs::path(std::move(exact));
    fs::path at = root;
    for (const std::string& part : SplitPath(normalized)) {
        if (part == "..") return std::nullopt;  // names never leave the game folder
        std::string entry = EntryIgnoringCase(at, part);
        if (entry.empty()) return std::nullopt;
        at /= entry;
    }
    if (IsRegularFile(at.native())) return at;
    return std::nullopt;
}

std::optional<fs::path> GameFiles::find(const std::string& name) const {
    std::string n = NormalizeGameName(name);
    if (n.empty()) return std::nullopt;
    if (!writable_.empty() && ownsName(n)) {
        if (auto p = findIn(writable_, n)) return p;
    }
    for (const fs::path& root : readOnly_) {
        if (auto p = findIn(root, n)) return p;
    }
    return std::nullopt;
}

namespace {
std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

void GameFiles::setOwnNames(const std::vector<std::string>& names) {
    ownNames_.emplace();
    for (const std::string& name : names) ownNames_->push_back(Lower(NormalizeGameName(name)));
}

bool GameFiles::ownsName(const std::string& normalized) const {
    if (!ownNames_) return true;
    std::string lower = Lower(normalized);
    return std::find(ownNames_->begin(), ownNames_->end(), lower) != ownNames_->end();
}

std::string GameFiles::searchedFolders() const {
    std::string s;
    auto add = [&](const fs::path& p) {
        if (p.empty()) return;
        if (!s.empty()) s += ", ";
        s += p.string();
    };
    add(writable_);
    for (const fs::path& p : readOnly_) add(p);
    return s;
}

namespace {
// An open file descriptor, closed however the read ends.
struct OpenFile {
    int fd;
    explicit OpenFile(const fs::path& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
};

// Up to `size` bytes at `offset` into `into`; fewer at the file's end or on an error.
size_t ReadAt(int fd, uint8_t* into, size_t size, uint64_t offset) {
    size_t got = 0;
    while (got < size) {
        ssize_t n = ::pread(fd, into + got, size - got, off_t(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += size_t(n);
    }
    return got;
}
}  // namespace

std::vector<uint8_t> GameFiles::read(const std::string& name, uint64_t limit) const {
    auto path = find(name);
    if (!path) {
        throw FileError("Cannot find the game file \"" + NormalizeGameName(name) +
                        "\" (looked in: " + searchedFolders() + ")");
    }
    OpenFile file(*path);
    if (file.fd < 0) throw FileError("Cannot open the game file \"" + path->string() + "\"");
    auto tooLarge = [&] { return FileError("The game file \"" + path->string() + "\" is too large to be one"); };
    struct stat st;
    if (::fstat(file.fd, &st) != 0 || uint64_t(st.st_size) > limit) throw tooLarge();
    // One block read of the size found; a file that grew meanwhile is read on to its end, but
    // never past the limit.
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    bytes.resize(ReadAt(file.fd, bytes.data(), bytes.size(), 0));
    if (bytes.size() == size_t(st.st_size)) {
        uint8_t more[4096];
        for (size_t n; (n = ReadAt(file.fd, more, sizeof more, bytes.size())) > 0;) {
            if (bytes.size() + n > limit) throw tooLarge();
            bytes.insert(bytes.end(), more, more + n);
        }
    }
    return bytes;
}

std::vector<uint8_t> GameFiles::readPart(const std::string& name, uint64_t offset, size_t limit) const {
    std::vector<uint8_t> bytes;
    auto path = find(name);
    if (!path) return bytes;
    OpenFile file(*path);
    if (file.fd < 0) return bytes;
    bytes.resize(limit);
    bytes.resize(ReadAt(file.fd, bytes.data(), limit, offset));
    return bytes;
}

fs::path GameFiles::writablePath(const std::string& name) const {
    return writable_ / NormalizeGameName(name);
}

void GameFiles::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    if (writable_.empty()) throw FileError("No folder to write \"" + name + "\" into");
    std::string n = NormalizeGameName(name);
    // Reuse the spelling of a file that is already there, so that one name stays one file.
    fs::path target = writable_ / n;
    if (auto existing = findIn(writable_, n)) target = *existing;
    WriteFileAtomically(target, bytes);
}

namespace {
// "game.sav.tmp1234": what a write of "game.sav" that was cut off leaves behind.
bool IsLeftoverOf(const fs::path& candidate, const fs::path& target) {
    std::string name = candidate.filename().string(), stem = target.filename().string() + ".tmp";
    if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) return false;
    return std::all_of(name.begin() + long(stem.size()), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

void WriteFileAtomically(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
    fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code removeError;
        if (IsLeftoverOf(it->path(), path)) fs::remove(it->path(), removeError);
    }
    ec.clear();
    fs::path tmp = path;
    tmp += ".tmp" + std::to_string(::getpid());
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) throw FileError("Cannot write \"" + path.string() + "\"");
        size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
        bool ok = written == bytes.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (::fsync(::fileno(f)) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (!ok) {
            fs::remove(tmp, ec);
            throw FileError("Cannot write \"" + path.string() + "\"");
        }
    }
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw FileError("Cannot write \"" + path.string() + "\"");
    }
    SyncFolder(path.has_parent_path() ? path.parent_path() : fs::path());
}

}  // namespace lnf
