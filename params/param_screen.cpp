#include "params/param_screen.h"

#include "core/fonts.h"
#include "core/naming.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

ParamScreen::ParamScreen(Instrument& shown, InstrumentLink& wire, const Look& look,
                         std::function<void()> backToOverview, QWidget* parent)
    : QWidget(parent), instrument(shown), link(wire),
      rowFields(wire, shown.target(), look.rules, look.names, this),
      back(std::move(backToOverview)) {
    name_control(this, QLatin1String(look.name));
    setWindowTitle(look.caption);
    use_cjk_font(*this, 10);
    Timer1.setInterval(look.timerMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    backButton = named(new QPushButton(look.backCaption, this), QLatin1String(look.back));
    connect(backButton, &QPushButton::clicked, this, &ParamScreen::returnClick);
    message = named(new QLabel(this), QStringLiteral("messageLine"));
    message->setWordWrap(true);
    QPalette warn = message->palette();
    warn.setColor(QPalette::WindowText, QColor(160, 0, 0));
    message->setPalette(warn);
    connect(&rowFields, &ParamFields::message, message, &QLabel::setText);
}

void ParamScreen::Form_Load() {
    guard = true;
    Timer1.start();
}

void ParamScreen::returnClick() {
    // Leaving by Esc leaves the editor too, as a click on the button would: its edit is committed.
    if (QWidget* w = focusWidget())
        w->clearFocus();
    guard = false;
    Timer1.stop();
    if (back)
        back();
}

QWidget* ParamScreen::bottomStrip() {
    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(message, 1);
    row->addWidget(backButton);
    return strip;
}

void ParamScreen::closeEvent(QCloseEvent* event) {
    if (guard)
        event->ignore();
    else
        event->accept();
}

void ParamScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        returnClick();
        return;
    }
    QWidget::keyPressEvent(event);
}
