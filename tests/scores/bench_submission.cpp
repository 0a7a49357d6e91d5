// SPDX-License-Identifier: GPL-3.0-or-later
// Times whole submissions ("Valider" to the board) into a full 30-slot table, with
// scripted boxes, so only the rules and the file work are measured.
#include "support/scoretestutil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace drovane;
using namespace drovane::test;

namespace {

void report(const char* what, std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    const double mean = std::accumulate(micros.begin(), micros.end(), 0.0) / double(micros.size());
    std::printf("%-34s median %8.1f us  mean %8.1f us  p95 %8.1f us  max %8.1f us  (%zu runs)\n", what,
                micros[micros.size() / 2], mean, micros[micros.size() * 95 / 100], micros.back(), micros.size());
}

std::vector<double> timeSubmissions(const QString& path, const QByteArray& table, int score, int runs)
{
    std::vector<double> micros;
    for (int i = 0; i < runs; ++i) {
        writeBytes(path, table);
        SubmissionRun run(2, score);
        run.submissionHost.answers = {QStringLiteral("ace"), QStringLiteral("bench")};
        QElapsedTimer clock;
        clock.start();
        submitScore(run.core, run.submissionHost, run.memory, path);
        micros.push_back(double(clock.nsecsElapsed()) / 1000.0);
    }
    return micros;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bdd activité 1");
    QByteArray table;
    for (const ScoreRecord& record : descendingTable())
        table += encodeScoreRecord(record);

    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 1000;
    report("first place (30 moves + new)", timeSubmissions(path, table, 3500, runs));
    report("too low (reads only)", timeSubmissions(path, table, 50, runs));
    return 0;
}
