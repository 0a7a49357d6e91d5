// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/fileio.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace drovane {

int UniqueFd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

int openNoFollow(int folderFd, const QByteArray& name, int flags)
{
    int fd = -1;
    do
        fd = ::openat(folderFd, name.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    return fd;
}

QByteArray readAt(int fd, qint64 offset, qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd, bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

bool writeAllAt(int fd, qint64 offset, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

}  // namespace drovane
