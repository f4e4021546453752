#include "logs/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileBytes final : public ByteSource {
public:
    explicit FileBytes(int descriptor) : fd(descriptor) {}
    ~FileBytes() override { ::close(fd); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    std::size_t read(std::uint64_t offset, char* into, std::size_t size) const override {
        if (offset > std::uint64_t(std::numeric_limits<off_t>::max()))
            return 0;
        for (;;) {
            const ssize_t got = ::pread(fd, into, size, off_t(offset));
            if (got >= 0)
                return std::size_t(got);
            if (errno != EINTR)
                return 0;
        }
    }

    std::uint64_t size() const override {
        struct stat status {};
        return ::fstat(fd, &status) == 0 ? std::uint64_t(status.st_size) : 0;
    }

private:
    int fd;
};

class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(std::string bytes) : data(std::move(bytes)) {}

    std::size_t read(std::uint64_t offset, char* into, std::size_t size) const override {
        if (offset >= data.size())
            return 0;
        const std::size_t count = std::min<std::uint64_t>(size, data.size() - offset);
        std::memcpy(into, data.data() + offset, count);
        return count;
    }
    std::uint64_t size() const override { return data.size(); }

private:
    std::string data;
};

std::string systemMessage(int error) {
    return std::generic_category().message(error);
}

} // namespace

OpenedBytes openFileBytes(const std::string& path) {
    // Non-blocking, so that opening a pipe by mistake cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {nullptr, systemMessage(errno)};
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return {nullptr, systemMessage(error)};
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return {nullptr, S_ISDIR(status.st_mode) ? "is a directory" : "not a regular file"};
    }
    return {std::make_unique<FileBytes>(fd), {}};
}

std::unique_ptr<ByteSource> memoryBytes(std::string bytes) {
    return std::make_unique<MemoryBytes>(std::move(bytes));
}
