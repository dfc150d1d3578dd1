#include "records/record_indicator.h"

#include "app/naming.h"

namespace {

QString last_write_of(const RecordStoreStatus& s) {
    if (!s.lastWrite.isValid())
        return QStringLiteral("no record written yet");
    return QStringLiteral("last record %1 · %2 written")
        .arg(s.lastWrite.toString(QStringLiteral("HH:mm:ss")))
        .arg(s.writes);
}

} // namespace

RecordIndicatorView record_indicator_view(const RecordStoreStatus& s) {
    switch (s.state) {
    case RecordStoreState::Closed:
        return {QStringLiteral("Record file closed"), RecordHealth::Closed};
    case RecordStoreState::Ok:
        return {QStringLiteral("Record file ok · %1").arg(last_write_of(s)), RecordHealth::Good};
    default:
        break;
    }
    const QString why = s.text.isEmpty() ? QStringLiteral("failing") : s.text;
    return {QStringLiteral("Record file: %1 · %2 · failed %3")
                .arg(why, last_write_of(s))
                .arg(s.failures),
            RecordHealth::Failing};
}

RecordIndicator::RecordIndicator(QWidget* parent) : QLabel(parent) {
    name_control(this, QStringLiteral("RecordStatus"));
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMargin(4);
    QFont f = font();
    f.setPointSize(12);
    setFont(f);
    display(RecordStoreStatus{});
}

void RecordIndicator::watch(RecordStore& store) {
    filePath = store.path();
    connect(&store, &RecordStore::statusChanged, this, &RecordIndicator::display);
    display(store.status());
}

void RecordIndicator::display(const RecordStoreStatus& status) {
    const RecordIndicatorView v = record_indicator_view(status);
    setText(v.text);
    setToolTip(filePath.isEmpty() ? v.text : v.text + QLatin1Char('\n') + filePath);
    shown = v.health;
    QPalette p = palette();
    switch (v.health) {
    case RecordHealth::Closed:
        p.setColor(QPalette::Window, QColor(224, 224, 224));
        p.setColor(QPalette::WindowText, QColor(64, 64, 64));
        break;
    case RecordHealth::Good:
        p.setColor(QPalette::Window, QColor(200, 255, 200));
        p.setColor(QPalette::WindowText, Qt::black);
        break;
    case RecordHealth::Failing:
        p.setColor(QPalette::Window, QColor(210, 30, 30));
        p.setColor(QPalette::WindowText, Qt::white);
        break;
    }
    setPalette(p);
}
