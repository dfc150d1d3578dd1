#pragma once
// What every screen shown in the overview's place has around it: the close guard (while the screen
// is loaded the window's close box does nothing; only the return button leaves), the return button
// and Esc, which does what the button does. Leaving first takes the focus from the editor in hand,
// as a click on the button would, so the edit typed there is committed before the screen goes.

#include <QWidget>
#include <functional>

class QPushButton;

class ScreenFrame : public QWidget {
    Q_OBJECT
public:
    virtual void Form_Load(); // sets the close guard
    // Commits the edit in hand and goes back to the overview, unless the screen asks to stay.
    void returnClick();
    bool closeGuard() const { return guard; }
    QPushButton* returnButton() const { return backButton; }

protected:
    ScreenFrame(std::function<void()> back, QWidget* parent);

    // The return button, made where the screen's layout wants it in the tab order.
    QPushButton* makeReturnButton(const QString& caption, const QString& name);
    // What the screen does as it goes (stop its timers, give up an export). False keeps it shown,
    // guard and all: a job is winding down and the screen calls returnClick again at its end.
    virtual bool beforeReturn() { return true; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> back;
    QPushButton* backButton = nullptr;
    bool guard = false;
};
