// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace pw::document {

namespace {

IoResult failure(int error) {
    return IoResult{std::strerror(error)};
}

// A temporary without a name (O_TMPFILE) is named by its descriptor, as the system
// names it: "/proc/self/fd/N". It stays open until it is linked into place or dropped,
// and a process that dies leaves nothing of it behind.
constexpr std::string_view kUnnamedPrefix = "/proc/self/fd/";

std::optional<int> unnamedFd(const std::filesystem::path& temp) {
    const std::string& text = temp.native();
    if (text.rfind(kUnnamedPrefix, 0) != 0) return std::nullopt;
    int fd = -1;
    const char* first = text.data() + kUnnamedPrefix.size();
    // Only this writer makes such names, so the number is all that follows the prefix.
    if (std::from_chars(first, text.data() + text.size(), fd).ec != std::errc())
        return std::nullopt;
    return fd;
}

// The usual mode of a new file.
mode_t newFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }();
    return mode;
}

// The mode a new file gets: a replaced file keeps its permissions, a new one gets the
// usual ones.
mode_t modeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    return newFileMode();
}

IoResult writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {  // what is left to write
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n == -1 && errno == EINTR) continue;
        if (n == -1) return failure(errno);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

// Opens `path` read-only, runs `sync` on it and closes it; an unnamed temporary is
// synced through its own descriptor.
template <typename Sync>
IoResult syncOpened(const std::filesystem::path& path, int flags, Sync sync) {
    if (const std::optional<int> own = unnamedFd(path))
        return sync(*own) == 0 ? IoResult{} : failure(errno);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd == -1) return failure(errno);
    const int error = sync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error == 0 ? IoResult{} : failure(error);
}

IoResult closeAfter(int fd, int error) {
    ::close(fd);
    return failure(error);
}

// A named temporary beside `target`: ".patchwright-PID-XXXXXX", so that a later run can
// tell a dead run's leftovers from a live run's files.
IoResult writeNamedTemporary(const std::filesystem::path& target, std::string_view bytes,
                             mode_t mode, std::filesystem::path& temp) {
    std::string pattern = (folderOf(target) /
                           (std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-XXXXXX"))
                              .string();
    const int fd = ::mkstemp(pattern.data());
    if (fd == -1) return failure(errno);
    temp = pattern;
    if (::fchmod(fd, mode) != 0) return closeAfter(fd, errno);
    if (IoResult w = writeAll(fd, bytes); !w.ok()) {
        ::close(fd);
        return w;
    }
    if (::close(fd) != 0) return failure(errno);
    return {};
}

class SystemFileWriter final : public FileWriter {
  public:
    explicit SystemFileWriter(bool unnamedTemporaries) : unnamed_(unnamedTemporaries) {}

    IoResult writeTemporary(const std::filesystem::path& target, std::string_view bytes,
                            std::filesystem::path& temp) override {
        if (!unnamed_) return writeNamedTemporary(target, bytes, modeFor(target), temp);
        const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd == -1) {
            // A file system without unnamed files: a named one, with the target's mode.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return failure(errno);
            return writeNamedTemporary(target, bytes, modeFor(target), temp);
        }
        temp = std::string(kUnnamedPrefix) + std::to_string(fd);
        return writeAll(fd, bytes);
    }

    IoResult syncFile(const std::filesystem::path& file) override {
        return syncOpened(file, 0, [](int fd) { return ::fsync(fd); });
    }

    IoResult syncFileSystem(const std::filesystem::path& anyFile) override {
        return syncOpened(anyFile, 0, [](int fd) { return ::syncfs(fd); });
    }

    IoResult renameOver(const std::filesystem::path& temp,
                        const std::filesystem::path& target) override {
        const std::optional<int> fd = unnamedFd(temp);
        if (!fd) {
            if (std::rename(temp.c_str(), target.c_str()) != 0) return failure(errno);
            return {};
        }
        // A new file is linked into place at once (the kernel gave it the usual mode).
        if (::linkat(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            ::close(*fd);
            return {};
        }
        if (errno != EEXIST) return failure(errno);
        // An existing file is replaced: the temporary takes its mode, gets a name beside
        // it for a moment and is renamed over it.
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0 && ::fchmod(*fd, st.st_mode & 07777) != 0)
            return failure(errno);
        std::filesystem::path named;
        for (int attempt = 0;; ++attempt) {
            named = folderOf(target) / (std::string(kTemporaryPrefix) + std::to_string(::getpid()) +
                                        "-" + std::to_string(*fd) + "-" + std::to_string(attempt));
            if (::linkat(AT_FDCWD, temp.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0)
                break;
            if (errno != EEXIST || attempt > 100) return failure(errno);
        }
        if (std::rename(named.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(named.c_str());
            return failure(error);
        }
        ::close(*fd);
        return {};
    }

    IoResult syncFolder(const std::filesystem::path& folder) override {
        return syncOpened(folder, O_DIRECTORY, [](int fd) { return ::fsync(fd); });
    }

    void removeTemporary(const std::filesystem::path& temp) override {
        if (const std::optional<int> fd = unnamedFd(temp))
            ::close(*fd);
        else
            ::unlink(temp.c_str());
    }

  private:
    bool unnamed_;
};

}  // namespace

FileWriter& systemFileWriter() {
    static SystemFileWriter writer(true);
    return writer;
}

FileWriter& namedTemporaryFileWriter() {
    static SystemFileWriter writer(false);
    return writer;
}

IoResult replaceFileWhole(FileWriter& writer, const std::filesystem::path& target,
                          std::string_view bytes) {
    std::filesystem::path temp;
    IoResult result = writer.writeTemporary(target, bytes, temp);
    if (result.ok()) result = writer.syncFile(temp);
    if (result.ok()) result = writer.renameOver(temp, target);
    if (!result.ok()) {
        if (!temp.empty()) writer.removeTemporary(temp);
        return result;
    }
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    writer.syncFolder(folder);
    return {};
}

}  // namespace pw::document

namespace pw::document {

std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

std::size_t removeDeadTemporaries(const std::filesystem::path& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.rfind(kTemporaryPrefix, 0) != 0) continue;
        const std::string_view rest = name.substr(kTemporaryPrefix.size());
        long pid = 0;
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        const std::string_view afterPid = rest.substr(static_cast<std::size_t>(end - rest.data()));
        if (ec != std::errc() || !afterPid.starts_with('-') || pid <= 0) continue;
        // Only a run that is gone: a live process (or one of another user) keeps its files.
        if (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

}  // namespace pw::document
