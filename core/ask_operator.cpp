#include "ask_operator.h"

#include "core/naming.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

void question_box(QWidget* parent, const QString& name, const QString& question,
                const QString& details, bool modal, std::function<void(bool)> answer) {
    auto* box = named(new QMessageBox(QMessageBox::Question,
                                      parent ? parent->window()->windowTitle() : QString(),
                                      question, QMessageBox::Yes | QMessageBox::No, parent),
                      name);
    if (!details.isEmpty())
        box->setInformativeText(details);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(modal ? Qt::WindowModal : Qt::NonModal);
    QObject::connect(box, &QMessageBox::finished, box,
                     [answer = std::move(answer)](int result) {
                         answer(result == QMessageBox::Yes);
                     });
    box->show();
}

void ask_in_box(QWidget* parent, const QString& question, std::function<void(bool)> answer) {
    question_box(parent, QStringLiteral("askOperator"), question, QString(), true,
               std::move(answer));
}

void ask_first(const AskOperator& ask, QObject* context, QWidget* parent, bool needed,
               const QString& question, std::function<void()> go) {
    if (!needed) {
        go();
        return;
    }
    ask(parent, question, [alive = QPointer<QObject>(context), go = std::move(go)](bool yes) {
        if (yes && alive)
            go();
    });
}
