// The sample image archive as a program, for offline use and the end-to-end test:
//   veltaro-archive [--port N] [--missing NAME]... [--size WxH] [--checkerboard]
//                   [--delay-ms N] [--bytes-per-second N]
// It prints "listening on 127.0.0.1:PORT" once it is ready, and "request TARGET" for each
// request, then serves until it is ended.
#include "cloudpicture.h"
#include "samplearchive.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The picture's label needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sample weather-satellite image archive"));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port (0: any)"),
                                        QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption missingOption(QStringLiteral("missing"),
                                           QStringLiteral("An image name answered with 404"),
                                           QStringLiteral("name"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Picture size, WxH"),
                                        QStringLiteral("size"));
    const QCommandLineOption checkerboardOption(
        QStringLiteral("checkerboard"),
        QStringLiteral("Serve a one-pixel grey checkerboard instead of clouds"));
    const QCommandLineOption delayOption(QStringLiteral("delay-ms"),
                                         QStringLiteral("Wait this long before every answer"),
                                         QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption bandwidthOption(
        QStringLiteral("bytes-per-second"),
        QStringLiteral("Send pictures at this pace (0: at once)"), QStringLiteral("bytes"),
        QStringLiteral("0"));
    parser.addOptions(
        {portOption, missingOption, sizeOption, checkerboardOption, delayOption, bandwidthOption});
    parser.process(app);

    QTextStream out(stdout);
    veltaro::sample::SampleArchive archive;
    archive.setMissing(parser.values(missingOption));
    if (parser.isSet(sizeOption)) {
        const QStringList parts = parser.value(sizeOption).split(QLatin1Char('x'));
        if (parts.size() != 2 || parts[0].toInt() <= 0 || parts[1].toInt() <= 0) {
            QTextStream(stderr) << "--size takes WxH, for example 1400x1100\n";
            return 2;
        }
        archive.setPictureSize({parts[0].toInt(), parts[1].toInt()});
    }
    veltaro::sample::Script script;
    if (parser.isSet(checkerboardOption))
        script.body = veltaro::sample::checkerboardJpeg(archive.pictureSize());
    script.delayMs = parser.value(delayOption).toInt();
    script.bytesPerSecond = parser.value(bandwidthOption).toInt();
    archive.setScript(script);
    if (!archive.listen(static_cast<quint16>(parser.value(portOption).toUInt()))) {
        QTextStream(stderr) << "cannot listen on 127.0.0.1:" << parser.value(portOption) << '\n';
        return 1;
    }
    QObject::connect(&archive, &veltaro::sample::SampleArchive::requestReceived, &archive,
                     [&out](const QString &target) { out << "request " << target << Qt::endl; });
    out << "listening on 127.0.0.1:" << archive.port() << Qt::endl;
    return QGuiApplication::exec();
}
