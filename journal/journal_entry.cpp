#include "journal/journal_entry.h"

#include <QCoreApplication>

namespace {
struct CategoryName {
    EventCategory category;
    const char* key;
    const char* title;
};
// The titles are the console's own texts (translated); the keys are what the file keeps.
constexpr CategoryName kNames[] = {
    {EventCategory::Alarm, "alarm", QT_TRANSLATE_NOOP("EventCategory", "Alarm")},
    {EventCategory::Write, "write", QT_TRANSLATE_NOOP("EventCategory", "Write")},
    {EventCategory::Mode, "mode", QT_TRANSLATE_NOOP("EventCategory", "Mode")},
    {EventCategory::Program, "program", QT_TRANSLATE_NOOP("EventCategory", "Program")},
    {EventCategory::Link, "link", QT_TRANSLATE_NOOP("EventCategory", "Link")},
    {EventCategory::Console, "console", QT_TRANSLATE_NOOP("EventCategory", "Console")},
    {EventCategory::File, "file", QT_TRANSLATE_NOOP("EventCategory", "Instrument file")},
};
} // namespace

QString category_key(EventCategory category) {
    for (const CategoryName& n : kNames)
        if (n.category == category)
            return QLatin1String(n.key);
    return QString();
}

std::optional<EventCategory> category_of_key(const QString& key) {
    for (const CategoryName& n : kNames)
        if (key.compare(QLatin1String(n.key), Qt::CaseInsensitive) == 0)
            return n.category;
    return std::nullopt;
}

QString category_title(EventCategory category) {
    for (const CategoryName& n : kNames)
        if (n.category == category)
            return QCoreApplication::translate("EventCategory", n.title);
    return QString();
}
