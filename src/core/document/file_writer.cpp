// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pw::document {

namespace {

IoResult failure(int error) {
    return IoResult{std::strerror(error)};
}

// The mode a new file gets: a replaced file keeps its permissions, a new one gets the
// usual ones.
mode_t modeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Opens `path` read-only, runs `sync` on it and closes it.
template <typename Sync>
IoResult syncOpened(const std::filesystem::path& path, int flags, Sync sync) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) return failure(errno);
    const int error = sync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error == 0 ? IoResult{} : failure(error);
}

class SystemFileWriter final : public FileWriter {
  public:
    IoResult writeTemporary(const std::filesystem::path& target, std::string_view bytes,
                            std::filesystem::path& temp) override {
        const std::filesystem::path folder =
            target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
        std::string pattern = (folder / ".patchwright-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) return failure(errno);
        temp = pattern;
        if (::fchmod(fd, modeFor(target)) != 0) return closeAfter(fd, errno);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return closeAfter(fd, errno);
            done += static_cast<std::size_t>(n);
        }
        if (::close(fd) != 0) return failure(errno);
        return {};
    }

    IoResult syncFile(const std::filesystem::path& file) override {
        return syncOpened(file, 0, [](int fd) { return ::fsync(fd); });
    }

    IoResult syncFileSystem(const std::filesystem::path& anyFile) override {
        return syncOpened(anyFile, 0, [](int fd) { return ::syncfs(fd); });
    }

    IoResult renameOver(const std::filesystem::path& temp,
                        const std::filesystem::path& target) override {
        if (std::rename(temp.c_str(), target.c_str()) != 0) return failure(errno);
        return {};
    }

    IoResult syncFolder(const std::filesystem::path& folder) override {
        return syncOpened(folder, O_DIRECTORY, [](int fd) { return ::fsync(fd); });
    }

    void removeTemporary(const std::filesystem::path& temp) override { ::unlink(temp.c_str()); }

  private:
    static IoResult closeAfter(int fd, int error) {
        ::close(fd);
        return failure(error);
    }
};

}  // namespace

FileWriter& systemFileWriter() {
    static SystemFileWriter writer;
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
