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

private:
    void play();
    void showScores();

    QPushButton* command1_;
    QPushButton* command2_;
    QButtonGroup* options_;
};

}  // namespace drovane
