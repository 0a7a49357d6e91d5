// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <sys/stat.h>

namespace drovane {

// Small POSIX helpers for files reached through descriptors only.

// A descriptor closed when it goes out of scope.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        reset(other.release());
        return *this;
    }

    bool isValid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// openat() of a name in a folder that never follows a link at that name, never waits on
// a pipe or a device, and never becomes the controlling terminal.
int openNoFollow(int folderFd, const QByteArray& name, int flags);

// pread()/pwrite() of the whole range, through interruptions and short transfers. A read
// stops at the end of the file; a write fails unless every byte was written.
QByteArray readAt(int fd, qint64 offset, qint64 length);
bool writeAllAt(int fd, qint64 offset, const QByteArray& bytes);

// Two looks at one file: the same device and inode.
inline bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace drovane
