#include "window/language.h"

#include "said.h"
#include "window/settingsfile.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace veltaro {

namespace {

const QString kLanguageKey = QStringLiteral("ui/language");
// Where the translations are built into the program.
const QString kTranslations = QStringLiteral(":/i18n");
const QString kProgram = QStringLiteral("veltaro");

QString g_spoken = QString::fromLatin1(kChinese);
// The translators speak() installed, taken out when it speaks again.
QList<QPointer<QTranslator>> g_installed;

void install(QTranslator *translator)
{
    QCoreApplication::installTranslator(translator);
    g_installed << translator;
}


std::string translated(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text).toStdString();
}

} // namespace

QStringList languagesSpoken()
{
    return {QString::fromLatin1(kChinese), QString::fromLatin1(kEnglish)};
}

QString chooseLanguage(const QString &asked, const QString &remembered)
{
    for (const QString &wanted : {asked, remembered})
        if (languagesSpoken().contains(wanted))
            return wanted;
    const QLocale system = QLocale::system();
    // No language named (C, POSIX), as the first of the desktop's languages or its only one.
    const QStringList named = system.uiLanguages();
    if (named.isEmpty() || named.first() == QLatin1String("C") || named.first() == QLatin1String("POSIX"))
        return QString::fromLatin1(kChinese);
    // Qt goes through the desktop's languages in order and takes the first it finds a
    // translation for; the empty Chinese one stands for the texts as written.
    QTranslator found;
    if (found.load(system, kProgram, QStringLiteral("_"), kTranslations))
        return found.language().startsWith(QLatin1String("zh")) ? QString::fromLatin1(kChinese)
                                                                 : QString::fromLatin1(kEnglish);
    return QString::fromLatin1(kEnglish);
}

QString rememberedLanguage(const QString &settingsFile)
{
    return settingsIn(settingsFile)->value(kLanguageKey).toString();
}

QString rememberLanguage(const QString &settingsFile, const QString &language)
{
    const auto settings = settingsIn(settingsFile);
    settings->setValue(kLanguageKey, language);
    settings->sync();
    return settings->status() == QSettings::NoError ? QString() : settings->fileName();
}

void speak(const QString &language)
{
    auto *application = QCoreApplication::instance();
    for (const QPointer<QTranslator> &translator : std::as_const(g_installed))
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    g_installed.clear();
    const bool chinese = language != QLatin1String(kEnglish);
    g_spoken = chinese ? QString::fromLatin1(kChinese) : QString::fromLatin1(kEnglish);
    const QLocale locale = chinese ? QLocale(QLocale::Chinese, QLocale::China) : QLocale(QLocale::English);
    QLocale::setDefault(locale);
    if (!chinese) {
        auto *ours = new QTranslator(application);
        if (ours->load(locale, kProgram, QStringLiteral("_"), kTranslations))
            install(ours);
        else
            delete ours;
        translationInUse() = &translated;
        return; // Qt's own texts are English as they are
    }
    translationInUse() = nullptr;
    auto *qt = new QTranslator(application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
        delete qt;
        std::fprintf(stderr, "Veltaro：在 %s 找不到 Qt 的中文翻译（qtbase_zh_CN.qm），对话框的按钮将是英文\n",
                     folder.toLocal8Bit().constData());
        return;
    }
    install(qt);
}

QString languageSpoken()
{
    return g_spoken;
}

} // namespace veltaro
