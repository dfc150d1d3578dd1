#pragma once
// Typing into an editor as an operator does: the focus comes in by Tab, the text replaces what
// the box holds (ASCII by keys, Chinese as an input method commits it), and the focus leaves by
// Tab to `next`, which is what commits a parameter field.

#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

inline void type_and_leave(QWidget* editor, const QString& text, QWidget* next) {
    editor->setFocus(Qt::TabFocusReason);
    auto* box = qobject_cast<QLineEdit*>(editor);
    if (!box)
        box = qobject_cast<QComboBox*>(editor)->lineEdit();
    box->selectAll();
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(box, QString(c));
        } else {
            QInputMethodEvent typed;
            typed.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &typed);
        }
    }
    next->setFocus(Qt::TabFocusReason);
}
