#include "journal/journal_model.h"

#include "journal/journal_words.h"

#include <QColor>
#include <QLocale>

JournalModel::JournalModel(JournalStore& journalStore, QObject* parent)
    : QAbstractTableModel(parent), store(journalStore) {}

std::vector<JournalEntry> JournalModel::fetchPage(std::optional<JournalCursor> after) {
    // One row beyond the page tells whether there are more.
    auto page = store.page(current, after, kPageRows + 1);
    why = store.lastError();
    const bool full = int(page.size()) > kPageRows;
    if (full)
        page.pop_back();
    // A read that failed part-way (a damaged page) ends the list where it failed: no page is
    // offered beyond it, and error() says why the list is incomplete.
    more = full && why.isEmpty();
    return page;
}

bool JournalModel::reload(const JournalFilter& filter) {
    beginResetModel();
    current = filter;
    rows.clear();
    shown.clear();
    pageEnd.reset();
    auto page = fetchPage(std::nullopt);
    if (!page.empty())
        pageEnd = JournalCursor{page.back().utcMs, page.back().seq};
    for (JournalEntry& e : page) {
        shown.insert(e.seq);
        rows.push_back(std::move(e));
    }
    endResetModel();
    return why.isEmpty();
}

bool JournalModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && more;
}

void JournalModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !more || !pageEnd)
        return;
    auto page = fetchPage(*pageEnd);
    if (!why.isEmpty())
        emit readFailed();
    if (page.empty())
        return;
    // A live event older than the rows read so far (written late, or the clock set back) is
    // shown already: the page passes it over.
    pageEnd = JournalCursor{page.back().utcMs, page.back().seq};
    std::erase_if(page, [this](const JournalEntry& e) { return shown.contains(e.seq); });
    if (page.empty())
        return;
    const int first = int(rows.size());
    beginInsertRows({}, first, first + int(page.size()) - 1);
    for (JournalEntry& e : page) {
        shown.insert(e.seq);
        rows.push_back(std::move(e));
    }
    endInsertRows();
}

bool JournalModel::offerLive(const JournalEntry& entry) {
    if (shown.contains(entry.seq))
        return false;
    const auto found = store.newerThan(current, entry.seq - 1, 1);
    if (found.empty() || found.front().seq != entry.seq)
        return false;
    beginInsertRows({}, 0, 0);
    shown.insert(entry.seq);
    rows.push_front(found.front());
    endInsertRows();
    return true;
}

int JournalModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QString JournalModel::text(const JournalEntry& e, int column) {
    switch (column) {
    case Seq:
        return QString::number(e.seq);
    case Time:
        return e.localTime;
    case Address:
        return e.address ? QString::number(*e.address) : QString();
    case Category:
        return category_title(e.category);
    case Code:
        return journal_words::codeTitle(e.category, e.code);
    case Source:
        return e.source;
    case OldValue:
        return e.oldValue.value_or(QString());
    case NewValue:
        return e.newValue.value_or(QString());
    case Pv:
        return e.pv ? QLocale::c().toString(*e.pv, 'g', QLocale::FloatingPointShortest) : QString();
    case User:
        return e.user;
    case Host:
        return e.host;
    case Result:
        return e.result;
    case Detail:
        return e.detail;
    default:
        return QString();
    }
}

QVariant JournalModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows.size()))
        return {};
    const JournalEntry& e = rows[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        // A cell is one line; the tooltip keeps the line breaks.
        QString t = text(e, index.column());
        return t.replace(u'\n', QStringLiteral(" / "));
    }
    case Qt::ToolTipRole: {
        // The code's title on the screen; the key the file and the export keep, in its tooltip.
        if (index.column() == Code)
            return e.code;
        const QString t = text(e, index.column());
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case Qt::BackgroundRole:
        // An alarm or input fault coming on and a lost link stand out as the operator scrolls.
        if (e.category == EventCategory::Alarm && e.code.endsWith(QLatin1String("_on")))
            return QColor(255, 222, 222);
        if (e.category == EventCategory::Link && e.code == QLatin1String("lost"))
            return QColor(255, 236, 200);
        return {};
    case Qt::TextAlignmentRole: {
        const int c = index.column();
        const bool number = c == Seq || c == Address || c == Pv;
        return (Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft)).toInt();
    }
    default:
        return {};
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Seq:
        return tr("No.");
    case Time:
        return tr("Time");
    case Address:
        return tr("Address");
    case Category:
        return tr("Category");
    case Code:
        return tr("Code");
    case Source:
        return tr("Source");
    case OldValue:
        return tr("Old value");
    case NewValue:
        return tr("New value");
    case Pv:
        return tr("PV");
    case User:
        return tr("User");
    case Host:
        return tr("Host");
    case Result:
        return tr("Result");
    case Detail:
        return tr("Detail");
    default:
        return {};
    }
}
