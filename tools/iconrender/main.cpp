// Renders the program's icon into the files the install needs: PNGs at 16, 32 and 48 pixels
// and one .ico holding all three. Usage: veltaro_iconrender OUTPUT_FOLDER
#include "window/icondrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: veltaro_iconrender OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : veltaro::kAppIconSizes) {
        const QString path = folder.filePath(QStringLiteral("veltaro-%1.png").arg(size));
        if (!veltaro::drawAppIcon(size).save(path, "PNG")) {
            err << "cannot write " << path << '\n';
            return 1;
        }
    }
    // A multi-image .ico for the Windows resource, where the image plugin is there.
    QImageWriter ico(folder.filePath(QStringLiteral("veltaro.ico")), "ico");
    if (ico.canWrite()) {
        for (int size : veltaro::kAppIconSizes) {
            if (!ico.write(veltaro::drawAppIcon(size).convertToFormat(QImage::Format_ARGB32))) {
                err << "cannot write veltaro.ico: " << ico.errorString() << '\n';
                return 1;
            }
        }
    }
    return 0;
}
