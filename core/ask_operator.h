#pragma once
// The one question a disruptive command asks before it goes out (starting auto-tune, a curve
// selection under a running program, ending the program while the link is open). The question
// never blocks the event loop: the command goes out from the answer, if the answer is yes. A form
// holds the asking as a function, so that a test can answer it instead of an operator.

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QObject;
class QPushButton;
class QWidget;

// The box question_box() shows: the question, its details under it, "Yes" and "No". A dialog
// shown, never executed: the event loop and the poll cycle go on while it waits.
class QuestionBox final : public QDialog {
    Q_OBJECT
public:
    QuestionBox(QWidget* parent, const QString& question, const QString& details);
    QString text() const;
    QPushButton* yesButton() const { return yes; }
    QPushButton* noButton() const { return no; }

private:
    QLabel* questionLabel;
    QPushButton* yes;
    QPushButton* no;
};

// Asks `question` over `parent`; `answer(true)` when the operator said yes, later.
using AskOperator =
    std::function<void(QWidget* parent, const QString& question, std::function<void(bool)> answer)>;

// A question box beside `parent` with "Yes" and "No", "No" the default button (a stray Return
// does not start what it warns of); window-modal when `modal`, otherwise the screen goes on.
// It returns at once and calls `answer` when the box is closed. `name` is the box's object name.
void question_box(QWidget* parent, const QString& name, const QString& question,
                  const QString& details, bool modal, std::function<void(bool)> answer);
// The disruptive commands' default: window-modal, named "askOperator".
void ask_in_box(QWidget* parent, const QString& question, std::function<void(bool)> answer);

// Runs `go` at once when no question is `needed`; otherwise asks and runs it on a yes, provided
// `context` still exists then.
void ask_first(const AskOperator& ask, QObject* context, QWidget* parent, bool needed,
               const QString& question, std::function<void()> go);
