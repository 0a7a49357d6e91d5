// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>

namespace drovane::test {

// Answers the real modal boxes a test's action opens: OK for message boxes, the next
// scripted text for input boxes (a null QString cancels). It records every box as
// "title|text" in the order they opened.
class ModalAnswerer : public QObject {
public:
    ModalAnswerer();
    void answer(const QString& text) { answers_.push_back(text); }
    const QStringList& seen() const { return seen_; }

private:
    void poll();

    QTimer timer_;
    std::deque<QString> answers_;
    QStringList seen_;
};

}  // namespace drovane::test
