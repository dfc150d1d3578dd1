#include "status_lamp.h"

void make_status_lamp(QLabel& label) {
    label.setAutoFillBackground(true);
    label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label.setMargin(4);
    QFont f = label.font();
    f.setPointSize(12);
    label.setFont(f);
}

void show_lamp(QLabel& label, LampHealth health) {
    QPalette p = label.palette();
    switch (health) {
    case LampHealth::Closed:
        p.setColor(QPalette::Window, QColor(224, 224, 224));
        p.setColor(QPalette::WindowText, QColor(64, 64, 64));
        break;
    case LampHealth::Good:
        p.setColor(QPalette::Window, QColor(200, 255, 200));
        p.setColor(QPalette::WindowText, Qt::black);
        break;
    case LampHealth::Failing:
        p.setColor(QPalette::Window, QColor(210, 30, 30));
        p.setColor(QPalette::WindowText, Qt::white);
        break;
    }
    label.setPalette(p);
}
