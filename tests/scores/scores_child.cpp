// SPDX-License-Identifier: GPL-3.0-or-later
// Not a test: a copy of the game in a process of its own, for the submission tests that
// need one - to kill it if it hangs, or to run it as a user to whom file modes apply.
//
//   scores_child <own folder> <score file> <score>...
//
// Uses <own folder> as its home and runtime folder. Prints how many records the score
// board would show, then submits each score in turn ("Valider", nickname "t<score>", no
// comment) and prints the last message the player was shown, one line each.
//
//   scores_child --hold <read|write> <file> <milliseconds>
//
// Holds a lock on <file> as another copy or any user could: prints "held", or "refused"
// when the file cannot be opened or locked, then keeps it that long.
#include "support/scoretestutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int holdLock(const char* kind, const char* file, int milliseconds)
{
    const bool write = QByteArray(kind) == "write";
    const int fd = ::open(file, (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
    struct flock request {};
    request.l_type = write ? F_WRLCK : F_RDLCK;
    request.l_whence = SEEK_SET;
    const bool held = fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &request) == 0;
    std::printf("%s\n", held ? "held" : "refused");
    std::fflush(stdout);
    QThread::msleep(milliseconds);
    return 0;
}

}  // namespace

using namespace drovane;
using namespace drovane::test;

int main(int argc, char** argv)
{
    if (argc == 5 && QByteArray(argv[1]) == "--hold")
        return holdLock(argv[2], argv[3], QByteArray(argv[4]).toInt());
    if (argc < 3)
        return 2;
    const QByteArray own = argv[1];
    qputenv("HOME", own);
    qputenv("XDG_RUNTIME_DIR", own + "/runtime");
    qputenv("XDG_CACHE_HOME", own + "/cache");
    QDir().mkpath(QString::fromLocal8Bit(own + "/runtime"));
    QFile::setPermissions(QString::fromLocal8Bit(own + "/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCoreApplication app(argc, argv);

    const QString scoreFile = QString::fromLocal8Bit(argv[2]);
    std::printf("%d\n", int(readScoreTable(scoreFile).size()));
    std::fflush(stdout);
    for (int i = 3; i < argc; ++i) {
        SubmissionRun run(2, QByteArray(argv[i]).toInt());
        run.submit(scoreFile, {QStringLiteral("t") + QString::fromLatin1(argv[i]), QString()});
        const QStringList shown = run.host.messages();
        std::printf("%s\n", shown.isEmpty() ? "" : shown.last().toUtf8().constData());
        std::fflush(stdout);
    }
    return 0;
}
