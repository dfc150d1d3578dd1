#pragma once
// The console's own texts in the operator's language: the Simplified Chinese translation built into
// the program, loaded at start-up unless the texts are wanted as written (English). The system's
// own captions are literal and need none.

#include <QString>

class QCoreApplication;

// Installs the translation for `language` ("zh_CN", "en") on the application. False when the
// language needs a translation that could not be loaded (the texts then stay in English).
bool install_console_translation(QCoreApplication& app, const QString& language);
