// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/modalanswerer.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace drovane::test {

ModalAnswerer::ModalAnswerer()
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer_.start();
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen_.append(box->windowTitle() + QLatin1Char('|') + box->text());
        box->button(QMessageBox::Ok)->click();
    } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        seen_.append(input->windowTitle() + QLatin1Char('|') + input->labelText());
        QString answer;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        if (answer.isNull()) {
            input->reject();
        } else {
            input->setTextValue(answer);
            input->accept();
        }
    }
}

}  // namespace drovane::test
