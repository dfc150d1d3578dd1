#include "core/conversions.h"

#include <QTest>
#include <cmath>

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void textToNumber_data();
    void textToNumber();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void int16FitsOrRefuses_data();
    void int16FitsOrRefuses();
    void numberText_data();
    void numberText();
    void oleDates();
};

void TestConversions::textToNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("port text with blank") << "3 " << 3.0;
    QTest::newRow("number then letters") << "3 abc" << 3.0;
    QTest::newRow("12abc") << "12abc" << 12.0;
    QTest::newRow("blanks inside") << "1 2 3" << 123.0;
    QTest::newRow("leading blanks") << "   42" << 42.0;
    QTest::newRow("negative decimal") << "-0.5" << -0.5;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("point first") << ".25" << 0.25;
    QTest::newRow("exponent") << "1e2" << 100.0;
    QTest::newRow("dangling exponent") << "5e" << 5.0;
    QTest::newRow("comma is not a point") << "12,5" << 12.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex 16-bit wraps") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("sign alone") << "-" << qQNaN();
    QTest::newRow("point alone") << "." << qQNaN();
    QTest::newRow("empty") << "" << qQNaN();
    QTest::newRow("letters") << "abc" << qQNaN();
    QTest::newRow("nan") << "nan" << qQNaN();
    QTest::newRow("inf") << "-inf" << qQNaN();
    QTest::newRow("hex without digits") << "&H" << qQNaN();
    QTest::newRow("full-width digits and point") << "１２．５" << 12.5;
    QTest::newRow("full-width sign, ideographic blank") << "－\u3000３" << -3.0;
    QTest::newRow("combo entry") << "4:结束 " << 4.0;
}

void TestConversions::textToNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const auto read = text_number(text);
    if (qIsNaN(expected)) {
        QVERIFY(!read);
        QCOMPARE(text_to_number(text), 0.0); // the console's own settings read it as 0
        return;
    }
    QVERIFY(read);
    QCOMPARE(*read, expected);
}

void TestConversions::roundsHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("12.5") << 12.5 << 12.0;
    QTest::newRow("13.5") << 13.5 << 14.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("12.51") << 12.51 << 13.0;
    QTest::newRow("register 36 of 125 tenths") << 12.5 << 12.0;
    QTest::newRow("register 36 of 135 tenths") << 13.5 << 14.0;
}

void TestConversions::roundsHalfToEven() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(round_half_even(value), expected);
}

void TestConversions::int16FitsOrRefuses_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::newRow("32767") << 32767.0 << true;
    QTest::newRow("32767.5 rounds to 32768") << 32767.5 << false;
    QTest::newRow("-32768") << -32768.0 << true;
    QTest::newRow("-32768.5 rounds to -32768") << -32768.5 << true;
    QTest::newRow("-32769") << -32769.0 << false;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false;
}

void TestConversions::int16FitsOrRefuses() {
    QFETCH(double, value);
    QFETCH(bool, fits);
    QCOMPARE(to_int16(value).has_value(), fits);
}

void TestConversions::numberText_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tenths") << 12.3f << "12.3";
    QTest::newRow("whole") << 1500.0f << "1500";
    QTest::newRow("below one") << 0.5f << "0.5";
    QTest::newRow("negative") << -3.2f << "-3.2";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("register max") << 32767.0f << "32767";
    QTest::newRow("123 tenths") << static_cast<float>(123 / 10.0) << "12.3";
}

void TestConversions::numberText() {
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(number_text(value), expected);
}

void TestConversions::oleDates() {
    QCOMPARE(ole_date(QDate(1899, 12, 30)), 0.0);
    QCOMPARE(ole_date(QDate(2000, 1, 1)), 36526.0);
    QCOMPARE(ole_time(QTime(12, 0, 0, 900)), 0.5); // sub-second parts dropped
    QCOMPARE(date_from_ole(36526.75), QDate(2000, 1, 1));
    QCOMPARE(time_from_ole(36526.75), QTime(18, 0));
    QCOMPARE(time_from_ole(ole_time(QTime(23, 59, 59))), QTime(23, 59, 59));
}

QTEST_GUILESS_MAIN(TestConversions)
#include "test_conversions.moc"
