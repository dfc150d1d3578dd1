#include "params/param_rows.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(ParamTable)

// The row tables against the rules each screen is built on: a mistyped register, a row on the
// wrong tab or a list entry out of place breaks one.
class TestParamTables : public QObject {
    Q_OBJECT
private slots:
    void screenRules_data();
    void screenRules();
    void configurationTabs_data();
    void configurationTabs();
    void unshownRegistersStayUnbound();
};

void TestParamTables::screenRules_data() {
    QTest::addColumn<ParamTable>("table");
    QTest::addColumn<int>("regBase"); // a bound row edits register regBase + k
    QTest::addColumn<int>("firstK");
    QTest::addColumn<int>("lastK");
    QTest::addColumn<int>("boundRows");
    QTest::addColumn<int>("unboundRows");
    QTest::addColumn<int>("groups");
    QTest::newRow("CONFIG1") << config_table() << 4096 << 1 << 88 << 70 << 1 << 12;
    QTest::newRow("ALM1") << alarm_table() << 1 << 256 << 263 << 8 << 0 << 3;
    QTest::newRow("PIDC") << pid_table() << 4353 << 0 << 15 << 16 << 0 << 3;
    QTest::newRow("PID1") << grouped_pid_table() << 5121 << 0 << 29 << 30 << 0 << 5;
}

void TestParamTables::screenRules() {
    QFETCH(ParamTable, table);
    QFETCH(int, regBase);
    QFETCH(int, firstK);
    QFETCH(int, lastK);
    QFETCH(int, boundRows);
    QFETCH(int, unboundRows);
    QFETCH(int, groups);
    QCOMPARE(int(table.groups.size()), groups);
    QSet<int> ks;
    QSet<QByteArray> editors;
    int bound = 0;
    for (const ParamRow& row : table.rows) {
        const QByteArray where = "k = " + QByteArray::number(row.k);
        QVERIFY2(!ks.contains(row.k), where.constData());
        ks.insert(row.k);
        QVERIFY2(row.group >= 0 && row.group < groups, where.constData());
        QVERIFY2(!row.name.isEmpty(), where.constData());
        if (row.reg != 0) {
            ++bound;
            QCOMPARE(row.reg, regBase + row.k);
            QVERIFY2(row.k >= firstK && row.k <= lastK, where.constData());
        }
        QCOMPARE(row.kind == FieldKind::Option, row.options != nullptr);
        if (!row.options)
            continue;
        const OptionList& list = *row.options;
        QVERIFY2(!editors.contains(list.editor), list.editor);
        editors.insert(list.editor);
        QVERIFY2(!list.entries.empty(), list.editor);
        QCOMPARE(list.entries.size(), list.shown.size());
        const bool inputType =
            qstrcmp(list.editor, "Combo1") == 0 || qstrcmp(list.editor, "Combo11") == 0;
        for (std::size_t code = 0; code < list.entries.size(); ++code) {
            // The input type lists' entry 8 is the one that has a blank where the colon belongs.
            const QChar mark = inputType && code == 8 ? u' ' : u':';
            const QString head = QString::number(code) + mark;
            QVERIFY2(list.entries[code].startsWith(head),
                     qPrintable(QString::fromLatin1(list.editor) + u' ' +
                                list.entries[code].toString()));
        }
    }
    QCOMPARE(bound, boundRows);
    QCOMPARE(int(table.rows.size()) - bound, unboundRows);
}

void TestParamTables::configurationTabs_data() {
    // Each tab's rows, as the tab list gives them: a run of k (none on tab 7) and, on tab 5, the
    // third digital input that no register is bound to.
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("firstK");
    QTest::addColumn<int>("lastK");
    QTest::addColumn<int>("unbound");
    const int runs[12][3] = {{1, 11, 0},  {13, 21, 0}, {23, 30, 0}, {33, 34, 0},
                             {37, 39, 1}, {73, 88, 0}, {0, -1, 0},  {61, 64, 0},
                             {41, 45, 0}, {49, 53, 0}, {57, 60, 0}, {65, 67, 0}};
    for (int tab = 1; tab <= 12; ++tab) {
        const auto& r = runs[tab - 1];
        QTest::addRow("tab %d", tab) << tab << r[0] << r[1] << r[2];
    }
}

void TestParamTables::configurationTabs() {
    QFETCH(int, tab);
    QFETCH(int, firstK);
    QFETCH(int, lastK);
    QFETCH(int, unbound);
    const ParamTable table = config_table();
    const ParamGroup& group = table.groups[tab - 1];
    QVERIFY(group.caption.startsWith(QString::number(tab) + u'.'));
    QVERIFY(!group.title.isEmpty());
    int bound = 0, unboundSeen = 0;
    for (const ParamRow& row : table.rows) {
        if (row.group != tab - 1)
            continue;
        if (row.reg == 0) {
            ++unboundSeen;
            continue;
        }
        ++bound;
        QVERIFY2(row.k >= firstK && row.k <= lastK, qPrintable(QString::number(row.k)));
    }
    QCOMPARE(bound, lastK - firstK + 1);
    QCOMPARE(unboundSeen, unbound);
}

void TestParamTables::unshownRegistersStayUnbound() {
    // Registers the configuration screen reads in its blocks but shows on no row.
    const int unshown[][2] = {{4108, 4108}, {4118, 4118}, {4127, 4128}, {4131, 4132},
                              {4136, 4136}, {4142, 4144}, {4150, 4152}, {4164, 4168}};
    for (const ParamRow& row : config_table().rows)
        for (const auto& run : unshown)
            QVERIFY2(row.reg < run[0] || row.reg > run[1], qPrintable(QString::number(row.k)));
}

QTEST_GUILESS_MAIN(TestParamTables)
#include "test_param_tables.moc"
