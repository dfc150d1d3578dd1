#pragma once
// The illustrations of the configuration screen, drawn from the values the screen last read: the
// sensor switch-over band (tab 4) and the main input's correction curve through its eight points
// (tab 6).

#include <QWidget>
#include <array>

class SwitchOverPlot final : public QWidget {
    Q_OBJECT
public:
    explicit SwitchOverPlot(QWidget* parent = nullptr);
    void setPoints(int upper, int lower);
    QSize sizeHint() const override { return {420, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int upper = 0;
    int lower = 0;
};

class CorrectionPlot final : public QWidget {
    Q_OBJECT
public:
    explicit CorrectionPlot(QWidget* parent = nullptr);
    // Point n: electrical value and the display value it shall read.
    void setPoints(const std::array<QPointF, 8>& points);
    QSize sizeHint() const override { return {360, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QPointF, 8> points{};
};
