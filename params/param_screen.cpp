#include "params/param_screen.h"

#include "core/fonts.h"
#include "core/naming.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ParamScreen::ParamScreen(Instrument& shown, InstrumentLink& wire, const Look& look,
                         std::function<void()> backToOverview, QWidget* parent)
    : ScreenFrame(std::move(backToOverview), parent), instrument(shown), link(wire),
      rowFields(wire, shown.target(), look.rules, look.names, this) {
    name_control(this, QLatin1String(look.name));
    setWindowTitle(look.caption);
    use_cjk_font(*this, 10);
    Timer1.setInterval(look.timerMs);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    makeReturnButton(look.backCaption, QLatin1String(look.back));
    message = named(new QLabel(this), QStringLiteral("messageLine"));
    message->setWordWrap(true);
    QPalette warn = message->palette();
    warn.setColor(QPalette::WindowText, QColor(160, 0, 0));
    message->setPalette(warn);
    connect(&rowFields, &ParamFields::message, message, &QLabel::setText);
}

void ParamScreen::Form_Load() {
    ScreenFrame::Form_Load();
    Timer1.start();
}

bool ParamScreen::beforeReturn() {
    Timer1.stop();
    return true;
}

QWidget* ParamScreen::bottomStrip() {
    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(message, 1);
    row->addWidget(returnButton());
    return strip;
}
