#include "ask_operator.h"

#include <QMessageBox>
#include <QWidget>

bool ask_in_box(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, parent ? parent->window()->windowTitle() : QString(),
                    question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("askOperator"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
