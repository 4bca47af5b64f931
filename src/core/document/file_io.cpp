// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <span>

namespace pw::document {

namespace {

std::string reason(int error) {
    return std::strerror(error);
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

int openRegularFile(const std::filesystem::path& path, std::string& error, std::uint64_t* size) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = reason(errno);
        return -1;
    }
    // Checked again once open: the name may have changed hands in between.
    const int fd =
        S_ISREG(st.st_mode) ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
    if (fd != -1 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (size) *size = static_cast<std::uint64_t>(st.st_size);
        return fd;
    }
    if (fd >= 0) ::close(fd);
    error = S_ISREG(st.st_mode)   ? reason(errno)
            : S_ISDIR(st.st_mode) ? "it is a folder"
                                  : "it is not a regular file";
    return -1;
}

ReadResult readWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
    ReadResult r;
    std::uint64_t size = 0;
    Fd fd(openRegularFile(path, r.error, &size));
    if (fd.get() == -1) return r;
    r.exists = true;
    if (size > maxBytes) {
        r.tooLarge = true;
        r.error = "the file is too large to be a preset";
        return r;
    }
    r.bytes.resize(static_cast<std::size_t>(size));
    std::span<char> unread(r.bytes);
    while (!unread.empty()) {
        const ssize_t n = ::read(fd.get(), unread.data(), unread.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {  // an error, or the file shrank while it was read
            r.error = n < 0 ? reason(errno) : "the file ended before its whole length was read";
            r.bytes.clear();
            return r;
        }
        unread = unread.subspan(static_cast<std::size_t>(n));
    }
    r.complete = true;
    return r;
}

}  // namespace pw::document
