#include "document/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pw::document {

namespace {

std::optional<SimulatedWriteFault> simulatedFault;

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
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

}  // namespace

ReadResult readWholeFile(const std::filesystem::path& path) {
    ReadResult r;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        r.error = reason(errno);
        return r;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        r.error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        return r;
    }
    r.exists = true;
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxPresetBytes) {
        r.error = "the file is too large to be a preset";
        return r;
    }
    r.bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < r.bytes.size()) {
        const ssize_t n = ::read(fd.get(), r.bytes.data() + done, r.bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            r.error = reason(errno);
            r.bytes.resize(done);
            return r;
        }
        if (n == 0) break;  // the file shrank while it was read
        done += static_cast<std::size_t>(n);
    }
    if (done < r.bytes.size()) {
        r.bytes.resize(done);
        r.error = "the file ended before its whole length was read";
        return r;
    }
    r.complete = true;
    return r;
}

void setSimulatedWriteFault(std::optional<SimulatedWriteFault> fault) {
    simulatedFault = fault;
}

std::string replaceFileWhole(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string pattern = (folder / ".patchwright-XXXXXX").string();
    Fd fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) return reason(errno);
    const std::string temp = pattern;
    auto fail = [&](int error) {
        ::close(fd.release());
        ::unlink(temp.c_str());
        return reason(error);
    };
    // A replaced file keeps its permissions; a new one gets the usual ones.
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = bytes.size() - done;
        if (simulatedFault) {
            if (done >= simulatedFault->failAfterBytes) return fail(simulatedFault->error);
            chunk = std::min(chunk, simulatedFault->failAfterBytes - done);
        }
        const ssize_t n = ::write(fd.get(), bytes.data() + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (::close(fd.release()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return reason(error);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return reason(error);
    }
    return {};
}

}  // namespace pw::document
