// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace drovane {

// A push button whose caption wraps onto more lines when it is wider than the button,
// as classic desktop buttons do ("Afficher les scores" in a narrow button).
class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    WrappingButton(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace drovane
