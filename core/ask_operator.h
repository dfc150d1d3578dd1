#pragma once
// The one question a disruptive command asks before it goes out (starting auto-tune, a curve
// selection under a running program, ending the program while the link is open). A form holds
// the asking as a function, so that a test can answer it instead of an operator.

#include <QString>
#include <functional>

class QWidget;

// true: the operator said yes and the command goes ahead; false: nothing is done.
using AskOperator = std::function<bool(QWidget* parent, const QString& question)>;

// Asks in a modal box over `parent` with "Yes" and "No", "No" as the default button: a stray
// Return does not start what the box warns of.
bool ask_in_box(QWidget* parent, const QString& question);
