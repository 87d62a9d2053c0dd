#include "export/stale_temporaries.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvora {

namespace {

constexpr char kPrefix[] = ".kelvora-";
constexpr char kSuffix[] = ".tmp";
constexpr std::size_t kPrefixLength = sizeof kPrefix - 1;
constexpr std::size_t kSuffixLength = sizeof kSuffix - 1;
constexpr std::size_t kTagLength = 16;
constexpr std::time_t kUnlockableAgeSeconds = 24 * 60 * 60;

// Whether the temporary open as fd belongs to a save that is gone.
bool abandoned(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return false;
    return std::time(nullptr) - info.st_mtime > kUnlockableAgeSeconds;
}

}  // namespace

std::string TemporaryNameIn(const std::string& folder)
{
    char tag[kTagLength + 1];
    std::snprintf(tag, sizeof tag, "%016llx",
        static_cast<unsigned long long>(QRandomGenerator::global()->generate64()));
    return folder + "/" + kPrefix + tag + kSuffix;
}

bool IsTemporaryName(const std::string& name)
{
    if (name.size() != kPrefixLength + kTagLength + kSuffixLength || name.compare(0, kPrefixLength, kPrefix) != 0
        || name.compare(kPrefixLength + kTagLength, kSuffixLength, kSuffix) != 0)
        return false;
    for (std::size_t i = kPrefixLength; i < kPrefixLength + kTagLength; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

void RemoveStaleTemporaries(const std::string& folder)
{
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    const int folderFd = ::dirfd(directory);
    while (const dirent* entry = ::readdir(directory)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        const int fd = ::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Removed while still locked, so no other save can take it meanwhile.
        if (abandoned(fd))
            ::unlinkat(folderFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(directory);
}

}  // namespace kelvora
