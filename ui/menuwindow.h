// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace drovane {

struct GameMode;

// The start-up window: choose a mode, then play it or look at its scores.
class MenuWindow : public QWidget {
    Q_OBJECT
public:
    explicit MenuWindow(QWidget* parent = nullptr);

    // The first selected option in menu order, or nullptr when none is.
    const GameMode* selectedMode() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter plays the chosen mode; on a focused "Afficher les scores" it shows the scores.
    // Ctrl+Q ends the program, as "Quitter" does.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab goes from "Jouer" to "Afficher les scores" to the selected option and back round.
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void play();
    void showScores();
    bool isOption(const QObject* object) const;

    QPushButton* playButton_;
    QPushButton* scoresButton_;
    QButtonGroup* options_;
};

}  // namespace drovane
