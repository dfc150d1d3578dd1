#pragma once
// The plan's controls on a curve screen: "F9" shows or hides the running program's plan over the
// chart, and the tolerance box sets the band around soaks for programs that set none of their own
// (wait type "禁止"). Both are remembered for the user.

#include <QWidget>

class QLineEdit;
class QPushButton;
class TrendChartView;

class PlanControls final : public QWidget {
    Q_OBJECT
public:
    explicit PlanControls(TrendChartView& view, QWidget* parent = nullptr);

    void toggle(); // the button, or F9
    // The tolerance box's text applied: a number from 0 to 9999 (the instrument's units) is taken
    // and remembered; anything else turns the box light red, says why and changes nothing.
    void applyTolerance();

    QPushButton* button() const { return toggleButton; }
    QLineEdit* toleranceBox() const { return tolerance; }

private:
    void mark(const QString& why);
    void showState();

    TrendChartView& view;
    QPushButton* toggleButton = nullptr;
    QLineEdit* tolerance = nullptr;
};
