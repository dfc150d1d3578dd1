#pragma once
// A one-line label for status and message lines whose text can be of any length (a lost link's
// reason, a write's failure): it keeps the whole text, paints as much as its width allows with an
// ellipsis, and shows the whole text in its tooltip. Its size hints do not grow with the text, so
// a long message never widens the window it stands in.

#include <QLabel>

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Hides QLabel::setText on purpose: the tooltip follows the text.
    void setText(const QString& text);
    void clear();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int hintHeight() const;
};
