#include "export/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {

namespace {

std::string displayName(const QString& path) { return path.toStdString(); }

QString temporaryNameBeside(const QString& target)
{
    // Hidden, and short enough to fit whatever the target's name length.
    const QString directory = QFileInfo(target).path();
    const quint64 tag = QRandomGenerator::global()->generate64();
    return directory + QStringLiteral("/.kelvora-") + QString::number(tag, 16) + QStringLiteral(".tmp");
}

}  // namespace

AtomicFile::AtomicFile(QString target)
    : target_(std::move(target))
{
}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::fail(const std::string& what, int errorNumber)
{
    error_ = what + ": " + std::strerror(errorNumber);
    discard();
    return false;
}

bool AtomicFile::open()
{
    discard();
    if (target_.isEmpty()) {
        error_ = "empty file name";
        return false;
    }
    struct stat info {};
    if (::stat(QFile::encodeName(target_).constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
        error_ = "cannot write " + displayName(target_) + ": it is a directory";
        return false;
    }
    // A name already taken is tried again with another; other errors are final.
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary_ = temporaryNameBeside(target_);
        fd_ = ::open(QFile::encodeName(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    const int openError = errno;
    temporary_.clear();
    return fail("cannot write " + displayName(target_), openError);
}

bool AtomicFile::commit()
{
    if (fd_ < 0) {
        error_ = "cannot write " + displayName(target_) + ": file not open";
        return false;
    }
    if (::fsync(fd_) != 0)
        return fail("cannot write " + displayName(target_), errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return fail("cannot write " + displayName(target_), errno);
    if (::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(target_).constData()) != 0)
        return fail("cannot rename the finished file to " + displayName(target_), errno);
    temporary_.clear();
    return true;
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(QFile::encodeName(temporary_).constData());
        temporary_.clear();
    }
}

std::string CheckWritable(const QString& target)
{
    AtomicFile probe(target);
    if (!probe.open())
        return probe.error();
    return {};
}

ExportResult WriteFileAtomically(const QString& target, const std::function<std::string(QIODevice&)>& body)
{
    ExportResult result;
    AtomicFile file(target);
    if (!file.open()) {
        result.error = file.error();
        return result;
    }
    const std::string cannotWrite = "cannot write " + target.toStdString() + ": ";
    {
        QFile device;
        if (!device.open(file.handle(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
            result.error = cannotWrite + device.errorString().toStdString();
            return result;
        }
        const std::string bodyError = body(device);
        if (!bodyError.empty()) {
            result.error = cannotWrite + bodyError;
            return result;
        }
        if (!device.flush() || device.error() != QFileDevice::NoError) {
            result.error = cannotWrite + device.errorString().toStdString();
            return result;
        }
    }
    if (!file.commit()) {
        result.error = file.error();
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace kelvora
