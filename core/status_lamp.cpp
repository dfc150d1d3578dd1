#include "status_lamp.h"

#include "core/naming.h"

StatusLamp::StatusLamp(const QString& name, QWidget* parent) : ElidedLabel(parent) {
    name_control(this, name);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMargin(4);
    QFont f = font();
    f.setPointSize(12);
    setFont(f);
    showView({});
}

void StatusLamp::showView(const LampView& view, const QString& detail) {
    setText(view.text);
    setToolTip(detail.isEmpty() ? view.text : view.text + QLatin1Char('\n') + detail);
    shown = view.health;
    QPalette p = palette();
    switch (view.health) {
    case LampHealth::Closed:
        p.setColor(QPalette::Window, QColor(224, 224, 224));
        p.setColor(QPalette::WindowText, QColor(64, 64, 64));
        break;
    case LampHealth::Good:
        p.setColor(QPalette::Window, QColor(200, 255, 200));
        p.setColor(QPalette::WindowText, Qt::black);
        break;
    case LampHealth::Lagging:
        p.setColor(QPalette::Window, QColor(255, 191, 0));
        p.setColor(QPalette::WindowText, Qt::black);
        break;
    case LampHealth::Failing:
        p.setColor(QPalette::Window, QColor(210, 30, 30));
        p.setColor(QPalette::WindowText, Qt::white);
        break;
    }
    setPalette(p);
}
