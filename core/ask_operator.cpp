#include "ask_operator.h"

#include "core/naming.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QWidget>

QuestionBox::QuestionBox(QWidget* parent, const QString& question, const QString& details)
    : QDialog(parent), questionLabel(new QLabel(question, this)) {
    setWindowTitle(parent ? parent->window()->windowTitle() : QString());
    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(side, side));
    questionLabel->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    yes = buttons->addButton(tr("Yes"), QDialogButtonBox::YesRole);
    no = buttons->addButton(tr("No"), QDialogButtonBox::NoRole);
    // "No" is the default: a stray Return does not start what the question warns of.
    yes->setAutoDefault(false);
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(questionLabel, 0, 1);
    if (!details.isEmpty()) {
        auto* more = new QLabel(details, this);
        more->setWordWrap(true);
        grid->addWidget(more, 1, 1);
    }
    grid->addWidget(buttons, 2, 0, 1, 2);
}

QString QuestionBox::text() const {
    return questionLabel->text();
}

void question_box(QWidget* parent, const QString& name, const QString& question,
                  const QString& details, bool modal, std::function<void(bool)> answer) {
    auto* box = named(new QuestionBox(parent, question, details), name);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(modal ? Qt::WindowModal : Qt::NonModal);
    QObject::connect(box, &QDialog::finished, box, [answer = std::move(answer)](int result) {
        answer(result == QDialog::Accepted);
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
