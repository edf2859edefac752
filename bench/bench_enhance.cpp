// An enhancement at 2288²: what applying a table costs (once per picture, off the window's
// thread), and a paint of the visible part with the table on beside one without. Prints
// medians; timing never fails anything.
#include "benchsupport.h"
#include "cloudpicture.h"
#include "picture/enhancement.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char *argv[])
{
    useOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const QImage picture = veltaro::sample::cloudPicture(QStringLiteral("8071802"), {2288, 2288})
                               .convertToFormat(QImage::Format_RGB32);
    QStringList problems;
    const auto tables = veltaro::loadEnhancementTables({QStringLiteral(VELTARO_DATA_DIR "/enhancements")}, &problems);
    std::printf("2288² cloud picture, medians of %d\n", rounds);
    std::printf("%-18s %10s %12s %12s %7s\n", "enhancement", "apply", "paint plain", "paint seen", "ratio");
    std::vector<std::pair<QString, veltaro::Enhancement>> kinds{
        {QStringLiteral("inverted"), veltaro::Enhancement::invert()},
        {QStringLiteral("auto contrast"), veltaro::Enhancement::stretch()}};
    for (const auto &table : tables)
        kinds.emplace_back(table->id, veltaro::Enhancement::table(table));
    // The visible part of a 1920 × 1080 window's viewport.
    const QRect visible(0, 0, 1874, 858);
    QImage target(visible.size(), QImage::Format_RGB32);
    for (const auto &[name, enhancement] : kinds) {
        std::vector<double> apply, plain, seen;
        QImage enhanced;
        for (int round = 0; round < rounds; ++round) {
            apply.push_back(timed([&] { enhanced = enhancement.apply(picture); }));
            plain.push_back(timed([&] {
                QPainter painter(&target);
                painter.drawImage(QPoint(), picture, visible);
            }));
            seen.push_back(timed([&] {
                QPainter painter(&target);
                painter.drawImage(QPoint(), enhanced, visible);
            }));
        }
        std::printf("%-18s %7.2f ms %9.2f ms %9.2f ms %7.2f\n", qPrintable(name), median(apply),
                    median(plain), median(seen), median(seen) / median(plain));
    }
    return 0;
}
