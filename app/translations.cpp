#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool install_console_translation(QCoreApplication& app, const QString& language) {
    if (language == QLatin1String("en"))
        return true;
    auto* own = new QTranslator(&app);
    if (!own->load(QStringLiteral(":/i18n/mt3600_%1.qm").arg(language))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own dialogs (printing) in the same language, where Debian's Qt translations are there.
    auto* qt = new QTranslator(&app);
    if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}
