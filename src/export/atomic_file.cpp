#include "export/atomic_file.h"

#include "export/stale_temporaries.h"

#include <QIODevice>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {

namespace {

// The file a save replaces, once the target's links are followed.
struct Destination {
    std::string path;
    bool exists = false;
    struct stat info {};
    std::string problem;  // why it may not be replaced
};

std::string followLinks(const std::string& target, std::string& problem)
{
    char* real = ::realpath(target.c_str(), nullptr);
    if (!real) {
        problem = errno == ENOENT ? "it is a symbolic link to a file that does not exist" : std::strerror(errno);
        return {};
    }
    std::string path = real;
    std::free(real);
    return path;
}

Destination destinationOf(const std::string& target)
{
    Destination d;
    if (target.empty()) {
        d.problem = "empty file name";
        return d;
    }
    // A name too long for the file system, or a folder that is not one,
    // shows here; a missing file is what a first save expects.
    if (::lstat(target.c_str(), &d.info) != 0) {
        if (errno != ENOENT)
            d.problem = std::strerror(errno);
        d.path = target;
        return d;
    }
    d.path = S_ISLNK(d.info.st_mode) ? followLinks(target, d.problem) : target;
    if (!d.problem.empty() || ::stat(d.path.c_str(), &d.info) != 0) {
        if (d.problem.empty())
            d.problem = std::strerror(errno);
        return d;
    }
    d.exists = true;
    if (S_ISDIR(d.info.st_mode))
        d.problem = "it is a directory";
    else if (!S_ISREG(d.info.st_mode))
        d.problem = "it is not a regular file";
    // Root may write anything; a file without any write permission is
    // still refused, as editors refuse it.
    else if ((d.info.st_mode & 0222) == 0)
        d.problem = "the file is read-only";
    else if (::access(d.path.c_str(), W_OK) != 0)
        d.problem = std::strerror(errno);
    return d;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is on disk only once its folder is.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A device that writes through an atomic file, and remembers a failure.
class CheckedDevice : public QIODevice {
public:
    explicit CheckedDevice(AtomicFile& file)
        : file_(file)
    {
    }
    bool failed() const { return failed_; }

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        failed_ = failed_ || !file_.write(data, static_cast<std::size_t>(size));
        return failed_ ? -1 : size;
    }
    qint64 readData(char*, qint64) override { return -1; }

private:
    AtomicFile& file_;
    bool failed_ = false;
};

}  // namespace

AtomicFile::AtomicFile(FilePath target)
    : target_(std::move(target.bytes))
{
}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::fail(const std::string& reason)
{
    error_ = "cannot write " + target_ + ": " + reason;
    discard();
    return false;
}

bool AtomicFile::open()
{
    discard();
    const Destination destination = destinationOf(target_);
    if (!destination.problem.empty())
        return fail(destination.problem);
    destination_ = destination.path;
    const std::string folder = folderOf(destination_);
    RemoveStaleTemporaries(folder);
    // A name already taken is tried again with another; other errors are final.
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary_ = TemporaryNameIn(folder);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        const int openError = errno;
        temporary_.clear();
        return fail(std::strerror(openError));
    }
    ::flock(fd_, LOCK_EX | LOCK_NB);
    if (destination.exists) {
        // The owner first: changing it clears set-user-ID bits.
        if (destination.info.st_uid != ::geteuid() || destination.info.st_gid != ::getegid())
            static_cast<void>(::fchown(fd_, destination.info.st_uid, destination.info.st_gid));
        if (::fchmod(fd_, destination.info.st_mode & 07777) != 0)
            return fail(std::strerror(errno));
    }
    return true;
}

bool AtomicFile::write(const void* data, std::size_t size)
{
    // After a failure the first error stands.
    if (fd_ < 0)
        return error_.empty() ? fail("file not open") : false;
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, next, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(std::strerror(written < 0 ? errno : ENOSPC));
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool AtomicFile::commit()
{
    if (fd_ < 0)
        return error_.empty() ? fail("file not open") : false;
    if (::fsync(fd_) != 0)
        return fail(std::strerror(errno));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail(std::strerror(errno));
    // Whatever took the target's place while the file was written is
    // checked again, so the rename replaces only what may be replaced.
    const Destination now = destinationOf(destination_);
    if (!now.problem.empty())
        return fail(now.problem);
    if (::rename(temporary_.c_str(), destination_.c_str()) != 0)
        return fail(std::strerror(errno));
    temporary_.clear();
    syncFolder(folderOf(destination_));
    return true;
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

std::string CheckWritable(const FilePath& target)
{
    AtomicFile probe(target);
    if (!probe.open())
        return probe.error();
    return {};
}

ExportResult WriteFileAtomically(const FilePath& target, const std::function<std::string(QIODevice&)>& body)
{
    ExportResult result;
    // Opened first, so a target that may not be replaced is refused before
    // the contents are made.
    AtomicFile file(target);
    if (!file.open()) {
        result.error = file.error();
        return result;
    }
    try {
        CheckedDevice device(file);
        device.open(QIODevice::WriteOnly);
        std::string problem = body(device);
        // A failed write is the file's own message, whatever the writer
        // made of it (Qt's PDF writer does not look).
        if (device.failed())
            result.error = file.error();
        else if (!problem.empty())
            result.error = "cannot write " + target.bytes + ": " + problem;
        else if (!file.commit())
            result.error = file.error();
        result.ok = result.error.empty();
    } catch (const std::bad_alloc&) {
        result.error = "cannot write " + target.bytes + ": out of memory";
    }
    return result;
}

}  // namespace kelvora
