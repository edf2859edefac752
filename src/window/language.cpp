#include "window/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace veltaro {

bool speakChinese()
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto *qt = new QTranslator(QCoreApplication::instance());
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        delete qt;
        std::fprintf(stderr, "Veltaro：在 %s 找不到 Qt 的中文翻译（qtbase_zh_CN.qm），对话框的按钮将是英文\n",
                     folder.toLocal8Bit().constData());
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

} // namespace veltaro
