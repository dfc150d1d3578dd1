#include "files/register_map.h"
#include "params/param_rows.h"
#include "programs/program_table.h"
#include "registers/catalogue.h"
#include "registers/program_window.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(ParamTable)

namespace {

QByteArray where(const RegisterInfo& e) {
    return "table " + QByteArray::number(int(e.table)) + " register " +
           QByteArray::number(e.number);
}

// The bounds a hint states in words ("0-20000", "-10000--30000", "0.0% ~ 100.0%"), in the
// register's units: the catalogue's ranges must say the same as the instrument's hints.
std::optional<std::pair<qint32, qint32>> stated_bounds(QStringView hint, FieldKind kind) {
    static const QRegularExpression bounds(
        QStringLiteral(R"((-?\d+(?:\.\d+)?)\s*%?\s*(?:--|-|~|～)\s*(-?\d+(?:\.\d+)?))"));
    const QRegularExpressionMatch m = bounds.match(hint.toString());
    if (!m.hasMatch())
        return std::nullopt;
    const double scale = kind == FieldKind::Tenths ? 10.0 : 1.0;
    return std::pair{qint32(qRound(m.capturedView(1).toDouble() * scale)),
                     qint32(qRound(m.capturedView(2).toDouble() * scale))};
}

} // namespace

// The catalogue's own invariants, and every view of it (the screens' rows, the file map) found in
// it: a register typed twice, a range that disagrees with its list or hint, or a view naming a
// register the catalogue lacks breaks one.
class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void eachRegisterOncePerTable();
    void rangesMatchListsAndHints();
    void statusWordsHaveOneWordPerCode();
    void windowedRegistersAreTheProgramWindow();
    void screenRowsFoundInCatalogue_data();
    void screenRowsFoundInCatalogue();
    void fileMapFoundInCatalogue();
};

void TestCatalogue::eachRegisterOncePerTable() {
    QSet<QPair<int, int>> seen;
    for (const RegisterInfo& e : register_catalogue()) {
        QVERIFY2(!seen.contains({int(e.table), e.number}), where(e).constData());
        seen.insert({int(e.table), e.number});
        QCOMPARE(find_register(e.table, e.number), &e);
    }
    QVERIFY(!find_register(RegisterTable::Holding, 4108)); // read in a block, shown nowhere
}

void TestCatalogue::rangesMatchListsAndHints() {
    for (const RegisterInfo& e : register_catalogue()) {
        QVERIFY2(e.low <= e.high, where(e).constData());
        QCOMPARE(e.kind == FieldKind::Option, e.options != nullptr);
        if (e.options) {
            QVERIFY2(!e.options->entries.empty(), where(e).constData());
            QCOMPARE(e.options->entries.size(), e.options->shown.size());
            QCOMPARE(std::pair(e.low, e.high), std::pair(0, qint32(e.options->entries.size()) - 1));
        } else if (const auto stated = stated_bounds(e.hint, e.kind)) {
            QCOMPARE(std::pair(e.low, e.high), *stated);
        }
        // Only the link settings end the conversation, and only they are written last.
        QCOMPARE(e.comms,
                 e.table == RegisterTable::Holding && e.number >= 4157 && e.number <= 4159);
    }
}

void TestCatalogue::statusWordsHaveOneWordPerCode() {
    for (const RegisterInfo& e : register_catalogue()) {
        QSet<int> codes;
        for (const StatusWord& w : e.words) {
            QVERIFY2(!codes.contains(w.code), where(e).constData());
            codes.insert(w.code);
            QVERIFY2(!w.text.isEmpty(), where(e).constData());
        }
        const bool bit = e.table == RegisterTable::Coil || e.table == RegisterTable::DiscreteInput;
        if (bit) // a bit has a word for 1, and one for 0 unless it is a fault that hides
            QVERIFY2(status_word(e, 1) && codes.size() <= 2 && codes.size() >= 1,
                     where(e).constData());
    }
}

void TestCatalogue::windowedRegistersAreTheProgramWindow() {
    int header = 0, segmentFields = 0;
    for (const RegisterInfo& e : register_catalogue()) {
        const bool inWindow = e.table == RegisterTable::Holding && program::in_window(e.number);
        QCOMPARE(e.window != Window::None, inWindow);
        if (e.window == Window::Curve) {
            ++header;
            QVERIFY(e.number < program::kHeaderFirst + program::kHeaderSize);
        } else if (e.window == Window::CurveAndRecipe) {
            ++segmentFields;
            const int offset = e.number - program::kTableFirst; // as if the recipe were 0
            QCOMPARE(e.segment, offset / program::kSegmentSize + 1);
            QVERIFY(offset % program::kSegmentSize < program::kSegmentFields);
        }
    }
    QCOMPARE(header, program::kHeaderFields);
    QCOMPARE(segmentFields, program::kSegments * program::kSegmentFields);
    QVERIFY(!holding_register(program::kHeaderFirst + program::kRecipeIndex)->writable);
}

void TestCatalogue::screenRowsFoundInCatalogue_data() {
    QTest::addColumn<ParamTable>("table");
    QTest::newRow("CONFIG1") << config_table();
    QTest::newRow("ALM1") << alarm_table();
    QTest::newRow("PIDC") << pid_table();
    QTest::newRow("PID1") << grouped_pid_table();
    QTest::newRow("Tech") << program_table();
}

void TestCatalogue::screenRowsFoundInCatalogue() {
    QFETCH(ParamTable, table);
    for (const ParamRow& row : table.rows) {
        const QByteArray k = "k = " + QByteArray::number(row.k);
        QVERIFY2(!row.name.isEmpty(), k.constData());
        if (row.reg == 0)
            continue; // bound to no register, or shown only
        const RegisterInfo* e = holding_register(row.reg);
        QVERIFY2(e && e->writable, k.constData());
        QCOMPARE(row.name, e->caption);
        QCOMPARE(row.kind, e->kind);
    }
}

void TestCatalogue::fileMapFoundInCatalogue() {
    for (const MapEntry& m : register_map()) {
        const RegisterInfo* e = holding_register(m.reg);
        QVERIFY2(e && e == m.info, qPrintable(m.key()));
        QCOMPARE(m.curve >= 0, e->window != Window::None);
        QCOMPARE(std::pair(m.low, m.high), std::pair(e->low, e->high));
        QCOMPARE(m.writable, e->writable);
        QCOMPARE(m.comms, e->comms);
    }
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
