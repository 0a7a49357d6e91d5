// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/gamecore.h"
#include "rules/gamemode.h"
#include "rules/gamestate.h"
#include "scores/scorefile.h"
#include "scores/scorestore.h"
#include "scores/submission.h"
#include "support/testdoubles.h"
#include "support/testmain.h"

#include <QFile>

#include <algorithm>

namespace drovane {

// Readable records in QCOMPARE failures; NUL shows as "~".
inline char* toString(const ScoreRecord& record)
{
    QString nickname = record.nickname;
    nickname.replace(QChar(0), QLatin1Char('~'));
    return QTest::toString(QStringLiteral("{\"%1\", %2, \"%3\"}").arg(nickname).arg(record.score).arg(record.comment));
}

}  // namespace drovane

Q_DECLARE_METATYPE(drovane::ScoreRecord)

namespace drovane::test {

// A record as it reads back from disk: nickname padded to 30 with spaces.
inline ScoreRecord stored(const QString& nickname, int score, const QString& comment = {})
{
    return {nickname.leftJustified(nicknameLength, QLatin1Char(' '), true), static_cast<std::int16_t>(score), comment};
}

// Thirty results "p01" (3000) down to "p30" (100), 100 apart.
inline QList<ScoreRecord> descendingTable()
{
    QList<ScoreRecord> table;
    for (int n = 1; n <= scoreTableSize; ++n)
        table.append(stored(QStringLiteral("p%1").arg(n, 2, 10, QLatin1Char('0')), 3100 - 100 * n,
                            QStringLiteral("c%1").arg(n)));
    return table;
}

// Slots from `firstSlot` on, written as a save writes them: through the store, in one commit.
[[nodiscard]] inline bool writeSlots(const QString& path, int firstSlot, const QList<ScoreRecord>& records)
{
    ScoreFileStore store(path);
    bool written = store.lock(true);
    for (qsizetype i = 0; i < records.size() && written; ++i)
        written = store.write(firstSlot + static_cast<int>(i), records[i]);
    written = written && store.commit();
    store.unlock();
    return written;
}

[[nodiscard]] inline bool writeSlot(const QString& path, int slot, const ScoreRecord& record)
{
    return writeSlots(path, slot, {record});
}

// A table from slot 1 on; none is made for no records. Slots past the 30th, which the
// game never writes but leaves alone, are added to the file as they are.
[[nodiscard]] inline bool writeTable(const QString& path, const QList<ScoreRecord>& table)
{
    if (table.isEmpty())
        return true;
    if (!writeSlots(path, 1, table.first(std::min<qsizetype>(table.size(), scoreTableSize))))
        return false;
    QByteArray beyond;
    for (qsizetype i = scoreTableSize; i < table.size(); ++i)
        beyond += encodeScoreRecord(table[i]);
    QFile file(path);
    return beyond.isEmpty() || (file.open(QIODevice::Append) && file.write(beyond) == beyond.size());
}

// The file's bytes; a null array when there is no file.
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() + QByteArray("") : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// One game screen's rules with scripted boxes, ready for "Valider".
struct SubmissionRun {
    SubmissionRun(int modeIndex, int score) : mode(gameMode(modeIndex)), core(mode, state, host, random)
    {
        state.scoreCount = static_cast<std::int16_t>(score);
    }
    void submit(const QString& scoreFile, const QStringList& answers = {})
    {
        submissionHost.answers.insert(submissionHost.answers.end(), answers.begin(), answers.end());
        submitScore(core, submissionHost, memory, scoreFile);
    }

    const GameMode& mode;
    GameState state;
    FakeHost host;
    FakeSubmissionHost submissionHost{host};
    ScriptedRandom random;
    GameCore core;
    SubmissionMemory memory;
};

// What the player reads, word for word.
namespace says {
inline const QString firstPlace = QStringLiteral(
    "Félicitation, vous étes classé à la 1er place !!! pour plus de détail consultez le fichier scores jeux");
inline QString rank(int n)
{
    return QStringLiteral(
               "Bravo, vous étes classé à la %1éme place ! pour plus de détail consultez le fichier scores jeux")
        .arg(n);
}
inline const QString duplicate = QStringLiteral("c'est pas bien de vouloir remplir le tableau avec ces scores !!");
inline const QString tooLow = QStringLiteral("Bouhhhhh ! vous ne faite même pas partie des 30 premiers. Pour voir les "
                                             "scores des autres consultez le fichier scores jeux");
inline const QString cheat = QStringLiteral("BUG ! spice di tricheur !!");
inline const QString notSaved = QStringLiteral(
    "Impossible d'enregistrer votre score : le fichier des scores n'a pas pu être écrit.");
}  // namespace says

}  // namespace drovane::test
