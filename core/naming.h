#pragma once
// Every named control carries the system's name as its objectName() and as its
// accessibleDescription(), so tests and tools outside the process find it by that name.
// Members of a control array are named "Name(k)".

#include <QString>
#include <QWidget>

void name_control(QWidget* widget, const QString& name);
QString array_name(const QString& name, int index); // "D_3W(0)"

template <class W> W* named(W* widget, const QString& name) {
    name_control(widget, name);
    return widget;
}

template <class W> W* named(W* widget, const QString& name, int index) {
    name_control(widget, array_name(name, index));
    return widget;
}
