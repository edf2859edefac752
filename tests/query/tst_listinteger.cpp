#include "failure.h"
#include "query/listinteger.h"

#include <QTest>

using namespace veltaro;

class TestListInteger : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void arithmetic_data();
    void arithmetic();
};

void TestListInteger::accepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("leading zero") << "08" << 8;
    QTest::newRow("zero") << "00" << 0;
    QTest::newRow("surrounding spaces") << "  23 " << 23;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("minus sign") << "-1" << -1;
    QTest::newRow("smallest") << "-32768" << -32768;
    QTest::newRow("largest") << "32767" << 32767;
    QTest::newRow("many leading zeros") << "0000000000000000000000012" << 12;
}

void TestListInteger::accepted()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(toListInteger(text.toStdString(), "hour"), value);
}

void TestListInteger::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << "" << "未选择小时";
    QTest::newRow("spaces only") << "   " << "未选择小时";
    QTest::newRow("letters") << "ab" << "小时“ab”不是数字";
    QTest::newRow("digits then letters") << "1a" << "小时“1a”不是数字";
    QTest::newRow("sign alone") << "-" << "小时“-”不是数字";
    QTest::newRow("two signs") << "+-5" << "小时“+-5”不是数字";
    QTest::newRow("inner space") << "1 2" << "小时“1 2”不是数字";
    QTest::newRow("decimal point") << "1.5" << "小时“1.5”不是数字";
    QTest::newRow("full-width digit") << "１" << "小时“１”不是数字";
    QTest::newRow("just above") << "32768" << "小时“32768”超出范围";
    QTest::newRow("just below") << "-32769" << "小时“-32769”超出范围";
    QTest::newRow("beyond 64 bits") << "99999999999999999999999"
                                    << "小时“99999999999999999999999”超出范围";
}

void TestListInteger::refused()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    try {
        toListInteger(text.toStdString(), "小时");
        QFAIL("no failure raised");
    } catch (const ConversionFailure &failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), reason);
    }
}

void TestListInteger::arithmetic_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("sum");
    QTest::addColumn<bool>("overflow");
    QTest::newRow("in range") << 5 << -1 << 4 << false;
    QTest::newRow("reaches the top") << 32751 << 16 << 32767 << false;
    QTest::newRow("past the top") << 32752 << 16 << 0 << true;
    QTest::newRow("reaches the bottom") << -32767 << -1 << -32768 << false;
    QTest::newRow("past the bottom") << -32768 << -1 << 0 << true;
}

void TestListInteger::arithmetic()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, sum);
    QFETCH(bool, overflow);
    if (overflow)
        QVERIFY_THROWS_EXCEPTION(OverflowFailure, addListIntegers(static_cast<ListInteger>(a), b));
    else
        QCOMPARE(addListIntegers(static_cast<ListInteger>(a), b), sum);
}

QTEST_APPLESS_MAIN(TestListInteger)
#include "tst_listinteger.moc"
