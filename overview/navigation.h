#pragma once
// The overview's screen changes. Each target screen is built afresh by a factory the application
// gives the overview; until a factory is given, its button is disabled and says so. Opening a
// screen hides the overview (its timers keep running) and shows the screen without modality; the
// screen's own return button calls the function it was built with, which unloads the screen and
// shows the overview again. The history screen replaces the overview instead: the overview lets go
// of its chart and close guard first, and takes them up again on return.

#include <QObject>
#include <array>
#include <functional>

class QPushButton;
class QWidget;

enum class Screen { ProgramEditor, Alarms, Pid, Config, GroupedPid, History, Files, Journal, Runs };

using ReturnToOverview = std::function<void()>;
// Builds the target (a top-level widget) and wires its return button to `back`. nullptr: the
// screen could not be built; the overview stays.
using ScreenFactory = std::function<QWidget*(ReturnToOverview back)>;

class Navigation : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kScreens = 9;

    explicit Navigation(QWidget* overview);

    void setScreenFactory(Screen target, ScreenFactory factory);
    bool hasScreen(Screen target) const;
    // Opening and closing the link enable and disable CONFIG (and the hidden calibration button).
    void setLinkAllowsConfig(bool allowed);

    void open(Screen target); // the click of the target's button
    QWidget* shownScreen() const { return shown; }
    QPushButton* button(Screen target) const { return buttons[index(target)]; }
    QPushButton* command23() const { return Command23; }

signals:
    void leavingForHistory(); // before the history screen replaces the overview
    void backFromHistory();   // before the overview shows again

private:
    static std::size_t index(Screen s) { return static_cast<std::size_t>(s); }
    void backToOverview(QWidget* screen);
    void updateButton(Screen target);

    QWidget* overview;
    std::array<QPushButton*, kScreens> buttons{};
    std::array<ScreenFactory, kScreens> factories{};
    QPushButton* Command23 = nullptr;
    bool linkAllowsConfig = true; // enabled when the overview loads
    QWidget* shown = nullptr;
    Screen shownTarget = Screen::ProgramEditor;
};
