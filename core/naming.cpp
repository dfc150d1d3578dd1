#include "naming.h"

void name_control(QWidget* widget, const QString& name) {
    widget->setObjectName(name);
    widget->setAccessibleDescription(name);
}

QString array_name(const QString& name, int index) {
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}
