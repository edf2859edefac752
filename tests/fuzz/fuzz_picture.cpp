// Any body, however crafted, becomes a picture or the program's PictureFailure: never a crash,
// undefined behaviour or a hang.
#include "failure.h"
#include "picture/picturedecoder.h"

#include <QCoreApplication>
#include <QImage>
#include <QLoggingCategory>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt's image readers for the formats beyond JPEG come as plugins, found through the
    // application.
    static QCoreApplication application(*argc, *argv);
    // Qt's readers warn about every damaged file; millions of those would drown the findings.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One decoder for the whole run, as the program keeps one: its reused memory is fuzzed too.
    static veltaro::PictureDecoder decoder;
    try {
        QImage picture = decoder.decode(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        if (picture.isNull())
            std::abort(); // a picture is never empty
        decoder.recycle(std::move(picture));
    } catch (const veltaro::PictureFailure &) {
    }
    return 0;
}
