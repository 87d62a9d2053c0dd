#pragma once

#include "export/export_result.h"

#include <QString>

#include <functional>
#include <string>

class QIODevice;

namespace kelvora {

// A file written under a temporary name in the target's directory and
// renamed over the target only once it is complete, so the target is never
// seen half written. The temporary file is created with mode 0666 less the
// umask, like any new file, and removed unless the write is committed.
class AtomicFile {
public:
    explicit AtomicFile(QString target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false (see error()) when the target's
    // directory does not take it or the target is a directory.
    bool open();
    // The descriptor of the temporary file, open for writing.
    int handle() const { return fd_; }
    // Flushes to disk, closes and renames over the target.
    bool commit();
    // Closes and removes the temporary file.
    void discard();

    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& what, int errorNumber);

    QString target_;
    QString temporary_;
    int fd_ = -1;
    std::string error_;
};

// Whether a file can be written at target, by creating and removing a
// temporary file beside it: empty when it can, else the reason.
std::string CheckWritable(const QString& target);

// Writes target atomically through a QIODevice: body writes the contents
// and returns an error text, empty on success. The target appears only when
// the body succeeded and everything reached the disk; errors are prefixed
// with "cannot write <target>: ".
ExportResult WriteFileAtomically(const QString& target, const std::function<std::string(QIODevice&)>& body);

}  // namespace kelvora
