#include "core/screen_frame.h"

#include "core/naming.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

ScreenFrame::ScreenFrame(std::function<void()> backToOverview, QWidget* parent)
    : QWidget(parent), back(std::move(backToOverview)) {}

void ScreenFrame::Form_Load() {
    guard = true;
}

QPushButton* ScreenFrame::makeReturnButton(const QString& caption, const QString& name) {
    backButton = named(new QPushButton(caption, this), name);
    connect(backButton, &QPushButton::clicked, this, &ScreenFrame::returnClick);
    return backButton;
}

void ScreenFrame::returnClick() {
    // Leaving by Esc leaves the editor too, as a click on the button would: its edit is committed.
    if (QWidget* w = focusWidget())
        w->clearFocus();
    if (!beforeReturn())
        return;
    guard = false;
    if (back)
        back();
}

void ScreenFrame::closeEvent(QCloseEvent* event) {
    if (guard)
        event->ignore();
    else
        event->accept();
}

void ScreenFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        returnClick();
        return;
    }
    QWidget::keyPressEvent(event);
}
