#include "failure.h"
#include "query/hypotenuse.h"
#include "query/imagerequest.h"
#include "query/moment.h"

#include <QTest>

#include <chrono>

using namespace veltaro;

namespace {

QueryTime queryTime(const char *year, const char *month, const char *day, const char *hour)
{
    return {year, month, day, hour};
}

} // namespace

class TestImageRequest : public QObject
{
    Q_OBJECT

private slots:
    void imageName_data();
    void imageName();
    void address();
    void everyRealMoment();
    void noRequest_data();
    void noRequest();
    void failure_data();
    void failure();
    void untouchedTexts();
    void hypotenuse_data();
    void hypotenuse();
    void betweenTwoHours_data();
    void betweenTwoHours();
};

void TestImageRequest::betweenTwoHours_data()
{
    // A frame made `step` steps of `steps` an hour after `from` (before it when negative), and how far `to` lies after it.
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("toHour"); // on 2008-07-18, or 24 for 2008-07-19 00:00
    QTest::addColumn<int>("after");  // -99: more than 3 hours apart
    QTest::newRow("the half hour") << 1 << 2 << "2008-07-18 23:30" << 23 << 0;
    QTest::newRow("a quarter") << 3 << 4 << "2008-07-18 23:45" << 22 << -1;
    QTest::newRow("the missing hour itself, across midnight") << 2 << 2 << "2008-07-19 00:00" << 24 << 1;
    QTest::newRow("past it, across midnight") << 3 << 2 << "2008-07-19 00:30" << 20 << -3;
    QTest::newRow("too far apart") << 1 << 3 << "2008-07-18 23:20" << 19 << -99;
    QTest::newRow("back: half an hour before") << -1 << 2 << "2008-07-18 22:30" << 22 << -1;
    QTest::newRow("back: past the hour before") << -5 << 4 << "2008-07-18 21:45" << 21 << -2;
}

void TestImageRequest::betweenTwoHours()
{
    QFETCH(int, step);
    QFETCH(int, steps);
    QFETCH(QString, text);
    QFETCH(int, toHour);
    QFETCH(int, after);
    const veltaro::Moment from{2008, 7, 18, 23};
    QCOMPARE(QString::fromStdString(veltaro::betweenText(from, step, steps)), text);
    const veltaro::Moment to = toHour == 24 ? veltaro::Moment{2008, 7, 19, 0} : veltaro::Moment{2008, 7, 18, toHour};
    const std::optional<int> hours = veltaro::hoursAfter(from, to, 3);
    QCOMPARE(hours.value_or(-99), after);
}

void TestImageRequest::imageName_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("name");

    // clang-format off
    QTest::newRow("10 o'clock, same day") << "8" << "07" << "18" << "10" << "8071802";
    QTest::newRow("09 o'clock") << "6" << "07" << "18" << "09" << "6071801";
    QTest::newRow("08 o'clock is UTC 00") << "6" << "07" << "18" << "08" << "6071800";
    QTest::newRow("07 o'clock, day before") << "6" << "07" << "18" << "07" << "6071723";
    QTest::newRow("00 o'clock, day before") << "6" << "07" << "18" << "00" << "6071716";
    QTest::newRow("23 o'clock") << "6" << "07" << "18" << "23" << "6071815";
    QTest::newRow("new year steps the year digit back") << "6" << "01" << "01" << "05" << "5123121";
    QTest::newRow("1 March, year digit 8 is leap") << "8" << "03" << "01" << "00" << "8022916";
    QTest::newRow("1 March, year digit 7") << "7" << "03" << "01" << "00" << "7022816";
    QTest::newRow("1 March, year digit 6") << "6" << "03" << "01" << "00" << "6022816";
    QTest::newRow("1 March, year digit 9") << "9" << "03" << "01" << "00" << "9022816";
    QTest::newRow("1 May, April has 30") << "6" << "05" << "01" << "02" << "6043018";
    QTest::newRow("1 July, June has 30") << "6" << "07" << "01" << "02" << "6063018";
    QTest::newRow("1 October, September has 30") << "9" << "10" << "01" << "07" << "9093023";
    QTest::newRow("1 December, November has 30") << "7" << "12" << "01" << "07" << "7113023";
    QTest::newRow("1 February, January has 31") << "6" << "02" << "01" << "02" << "6013118";
    QTest::newRow("1 April, March has 31") << "6" << "04" << "01" << "02" << "6033118";
    QTest::newRow("1 June, May has 31") << "6" << "06" << "01" << "02" << "6053118";
    QTest::newRow("1 August, July has 31") << "6" << "08" << "01" << "02" << "6073118";
    QTest::newRow("1 September, August has 31") << "6" << "09" << "01" << "02" << "6083118";
    QTest::newRow("1 November, October has 31") << "6" << "11" << "01" << "02" << "6103118";
    QTest::newRow("no date validation: 31 June") << "6" << "06" << "31" << "12" << "6063104";
    QTest::newRow("day 10 steps back to 09") << "6" << "07" << "10" << "03" << "6070919";
    QTest::newRow("empty year, hour 8 or more") << "" << "07" << "18" << "10" << "071802";
    QTest::newRow("unknown month leaves only the hour") << "6" << "13" << "01" << "05" << "21";
    QTest::newRow("month 0 leaves only the hour") << "6" << "00" << "01" << "00" << "16";
    QTest::newRow("same-day texts pass unchanged") << "8" << "7" << " 18" << "10" << "87 1802";
    QTest::newRow("leading spaces are trimmed") << "  8" << "07" << "18" << "12" << "8071804";
    QTest::newRow("day 0 gives the formatter's negative form") << "6" << "07" << "0" << "05" << "6070-121";
    // clang-format on
}

void TestImageRequest::imageName()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, hour);
    QFETCH(QString, name);

    const auto request = ToUtcRequest(
        {year.toStdString(), month.toStdString(), day.toStdString(), hour.toStdString()});
    QVERIFY(request.has_value());
    QCOMPARE(QString::fromStdString(BuildImageUrl(*request).name), name);
}

void TestImageRequest::address()
{
    const auto request = ToUtcRequest(queryTime("8", "07", "18", "10"));
    QVERIFY(request.has_value());
    const ImageRequest built = BuildImageUrl(*request);
    QCOMPARE(built.year, "8");
    QCOMPARE(built.month, "07");
    QCOMPARE(built.day, "18");
    QCOMPARE(built.hour, "02");
    QCOMPARE(built.address,
             "http://www.nsmc.org.cn/is_nsmc/product_app/imagesGMS5/NL/807180200.jpg");
}

void TestImageRequest::everyRealMoment()
{
    using namespace std::chrono;
    const auto text = [](unsigned value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')).toStdString();
    };
    int moments = 0;
    for (sys_days date = 2006y / January / 1; date <= 2009y / December / 31; date += days(1)) {
        const year_month_day beijing(date);
        for (int hour = 0; hour < 24; ++hour, ++moments) {
            const sys_time<hours> utc = date + hours(hour) - hours(8);
            const year_month_day utcDate(floor<days>(utc));
            const std::string expected =
                std::to_string(int(utcDate.year()) % 10) + text(unsigned(utcDate.month()), 2) +
                text(unsigned(utcDate.day()), 2) + text((utc - floor<days>(utc)).count(), 2);

            const auto request = ToUtcRequest({std::to_string(int(beijing.year()) % 10),
                                               text(unsigned(beijing.month()), 2),
                                               text(unsigned(beijing.day()), 2), text(hour, 2)});
            QVERIFY(request.has_value());
            const std::string name = BuildImageUrl(*request).name;
            QVERIFY2(name == expected,
                     qPrintable(QStringLiteral("%1-%2-%3 %4:00 Beijing time gave %5, not %6")
                                    .arg(int(beijing.year()))
                                    .arg(unsigned(beijing.month()))
                                    .arg(unsigned(beijing.day()))
                                    .arg(hour)
                                    .arg(QString::fromStdString(name),
                                         QString::fromStdString(expected))));
        }
    }
    QCOMPARE(moments, 35064);
}

void TestImageRequest::noRequest_data()
{
    QTest::addColumn<QString>("hour");
    QTest::newRow("24") << "24";
    QTest::newRow("-1") << "-1";
    QTest::newRow("32767") << "32767";
    QTest::newRow("-32768") << "-32768";
}

void TestImageRequest::noRequest()
{
    QFETCH(QString, hour);
    // Not even the other texts are read: garbage there must not fail.
    QVERIFY(!ToUtcRequest({"x", "y", "z", hour.toStdString()}).has_value());
}

void TestImageRequest::failure_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("empty hour") << "8" << "07" << "18" << "" << false;
    QTest::newRow("all empty") << "" << "" << "" << "" << false;
    QTest::newRow("hour not a number") << "8" << "07" << "18" << "ten" << false;
    QTest::newRow("hour above 16 bits") << "8" << "07" << "18" << "32768" << false;
    QTest::newRow("hour below 16 bits") << "8" << "07" << "18" << "-32769" << false;
    QTest::newRow("empty day before 8") << "8" << "07" << "" << "05" << false;
    QTest::newRow("empty month on the first") << "8" << "" << "01" << "05" << false;
    QTest::newRow("empty year on 1 January") << "" << "01" << "01" << "05" << false;
    QTest::newRow("empty year on 1 March") << "" << "03" << "01" << "05" << false;
    QTest::newRow("day minus 1 overflows") << "8" << "07" << "-32768" << "05" << true;
    QTest::newRow("year minus 1 overflows") << "-32768" << "01" << "01" << "05" << true;
}

void TestImageRequest::failure()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, hour);
    QFETCH(bool, overflow);

    const QueryTime time{year.toStdString(), month.toStdString(), day.toStdString(),
                         hour.toStdString()};
    if (overflow)
        QVERIFY_THROWS_EXCEPTION(OverflowFailure, ToUtcRequest(time));
    else
        QVERIFY_THROWS_EXCEPTION(ConversionFailure, ToUtcRequest(time));
}

void TestImageRequest::untouchedTexts()
{
    // Texts a path does not convert are never read as numbers, even when they are not numbers.
    const auto sameDay = ToUtcRequest(queryTime("x", "y", "z", "08"));
    QVERIFY(sameDay.has_value());
    QCOMPARE(BuildImageUrl(*sameDay).name, "xyz00");

    const auto dayBefore = ToUtcRequest(queryTime("x", "y", "18", "07"));
    QVERIFY(dayBefore.has_value());
    QCOMPARE(BuildImageUrl(*dayBefore).name, "xy1723");
}

void TestImageRequest::hypotenuse_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "00";
    QTest::newRow("9") << 9 << "09";
    QTest::newRow("10") << 10 << "10";
    QTest::newRow("24") << 24 << "24";
    QTest::newRow("negative") << -5 << "0-5";
    QTest::newRow("largest") << 32767 << "32767";
}

void TestImageRequest::hypotenuse()
{
    QFETCH(int, n);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(Hypotenuse(static_cast<ListInteger>(n))), text);
}

QTEST_APPLESS_MAIN(TestImageRequest)
#include "tst_imagerequest.moc"
