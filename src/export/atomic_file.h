#pragma once

#include "export/export_result.h"
#include "export/file_path.h"

#include <cstddef>
#include <functional>
#include <string>

class QIODevice;

namespace kelvora {

// A file written under a temporary name beside its target and renamed over
// the target only once every byte is written and on disk, so the target is
// never seen half written and a failed write leaves it as it was.
//
// Only a regular file is replaced, and only one that may be written: a
// directory, device, FIFO or socket is refused, and so is a read-only file.
// A symbolic link is followed and the file it leads to is replaced, as cp
// does. A replaced file keeps its mode (and its owner, where the system
// allows); a new file gets mode 0666 less the umask.
//
// Temporaries are named ".kelvora-<16 hex digits>.tmp" and locked while
// they are written. Opening one removes the temporaries in that folder that
// no running save holds: those of a save that was killed.
class AtomicFile {
public:
    explicit AtomicFile(FilePath target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and creates the temporary file; false (see error())
    // when the target may not be replaced or its folder does not take it.
    bool open();
    // The descriptor of the temporary file, open for writing.
    int handle() const { return fd_; }
    // Writes all of data; false (see error()) on the first failure.
    bool write(const void* data, std::size_t size);
    // Flushes to disk, closes and renames over the target.
    bool commit();
    // Closes and removes the temporary file.
    void discard();

    // One line: "cannot write <target>: <reason>".
    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& reason);

    std::string target_;       // as given, for messages
    std::string destination_;  // the file replaced: the target, or where its links lead
    std::string temporary_;
    int fd_ = -1;
    std::string error_;
};

// Why a file cannot be written at target, found without drawing anything:
// the checks of AtomicFile::open, and a temporary file created and removed
// beside it. Empty when it can.
std::string CheckWritable(const FilePath& target);

// Writes target atomically from what body writes to a device in memory:
// body returns an error text, empty on success. Errors are one line,
// "cannot write <target>: <reason>"; running out of memory is one of them.
ExportResult WriteFileAtomically(const FilePath& target, const std::function<std::string(QIODevice&)>& body);

}  // namespace kelvora
