#include "elided_label.h"

#include <QPainter>
#include <QStyle>

namespace {
// Widths in average characters: enough for the start of any message, never more.
constexpr int kMinimumChars = 12;
constexpr int kPreferredChars = 40;
} // namespace

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setWordWrap(false);
}

void ElidedLabel::setText(const QString& text) {
    QLabel::setText(text);
    setToolTip(text);
}

void ElidedLabel::clear() {
    setText(QString());
}

int ElidedLabel::hintHeight() const {
    const int frame = 2 * frameWidth();
    return fontMetrics().height() + 2 * margin() + frame;
}

QSize ElidedLabel::minimumSizeHint() const {
    const int chrome = 2 * frameWidth() + 2 * margin();
    return {fontMetrics().averageCharWidth() * kMinimumChars + chrome, hintHeight()};
}

QSize ElidedLabel::sizeHint() const {
    const int chrome = 2 * frameWidth() + 2 * margin();
    const int full = fontMetrics().horizontalAdvance(text()) + chrome;
    const int cap = fontMetrics().averageCharWidth() * kPreferredChars + chrome;
    return {qMax(minimumSizeHint().width(), qMin(full, cap)), hintHeight()};
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // the frame only; the text is drawn here, elided
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}
