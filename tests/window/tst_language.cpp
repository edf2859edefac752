// The language the program speaks: the English translation complete against the code as it
// stands, the language chosen from --lang, the window's choice and the desktop's languages, and
// every text of the real window in it. The window is started in a child process of this test,
// as the program starts, under each row's environment: what the desktop speaks is read once per
// process.

#include "samplearchive.h"
#include "startedwindow.h"
#include "waituntil.h"
#include "app/commandline.h"
#include "window/actiontable.h"
#include "window/language.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QXmlStreamReader>

#include <cstdio>

using namespace veltaro;

namespace {

// The names a language picker shows in their own language, whatever language is spoken.
const QStringList kOwnNames{QStringLiteral("中文"), QStringLiteral("语言 / Language")};

bool hasChinese(const QString &text)
{
    static const QRegularExpression han(QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    QString rest = text;
    for (const QString &own : kOwnNames)
        rest.remove(own);
    return rest.contains(han);
}

void collectAccessible(QAccessibleInterface *node, QStringList &texts, int depth = 0)
{
    if (!node || depth > 40)
        return;
    for (const QAccessible::Text kind : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
        texts << node->text(kind);
    for (int i = 0; i < node->childCount(); ++i)
        collectAccessible(node->child(i), texts, depth + 1);
}

// Every text the application's widgets and actions show or say.
QStringList everyText()
{
    QStringList texts;
    for (QWidget *widget : QApplication::allWidgets()) {
        texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName()
              << widget->accessibleDescription() << widget->whatsThis();
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts << button->text();
        if (auto *list = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget))
            texts << spin->text();
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            texts << group->title();
        if (auto *menu = qobject_cast<QMenu *>(widget))
            texts << menu->title();
        if (auto *browser = qobject_cast<QTextBrowser *>(widget))
            texts << browser->toPlainText();
        if (auto *table = qobject_cast<QTableWidget *>(widget))
            for (int row = 0; row < table->rowCount(); ++row)
                for (int column = 0; column < table->columnCount(); ++column) {
                    if (const QTableWidgetItem *item = table->item(row, column))
                        texts << item->text();
                    if (const QTableWidgetItem *header = table->horizontalHeaderItem(column))
                        texts << header->text();
                }
        for (const QAction *action : widget->actions())
            texts << action->text() << action->toolTip();
        if (widget->isWindow() && widget->isVisible())
            collectAccessible(QAccessible::queryAccessibleInterface(widget), texts);
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

// The child: starts as the program does, presses 显示 with nothing picked, shows a missing hour
// and a real one, opens the help,
// the export dialog, the comparing moment's dialog and the adjustments, and prints the
// language and every text, one to a line (newlines as "\n").
int runChild(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    speak(chooseLanguage(askedLanguage(arguments), rememberedLanguage(QString())));
    sample::SampleArchive archive;
    if (!archive.listen())
        return 3;
    archive.setPictureSize({160, 120});
    archive.setMissing({QStringLiteral("8071801")});
    qputenv("http_proxy", archive.proxyAddress().toLatin1());
    QTemporaryDir folder;
    StartedWindow window(folder.path());
    if (!window.showActive())
        return 4;
    // Nothing picked yet: a list's name in the reason.
    if (!window.press())
        return 5;
    const QString nothingPicked = window.reason();
    window.pick(QStringLiteral("8"), QStringLiteral("07"), QStringLiteral("18"), QStringLiteral("09"));
    if (!window.press())
        return 5;
    QStringList texts{nothingPicked, window.status(), window.reason()};
    window.pick(QStringLiteral("8"), QStringLiteral("07"), QStringLiteral("18"), QStringLiteral("10"));
    if (!window.press())
        return 5;
    for (const Command command : {Command::Help, Command::Export, Command::CompareMoment, Command::Adjust})
        window.actions().action(command)->trigger();
    QTest::qWait(0);
    texts << everyText();
    std::printf("%s\n", qPrintable(languageSpoken()));
    for (QString text : std::as_const(texts))
        std::printf("%s\n", text.replace(QLatin1Char('\n'), QStringLiteral("\\n")).toUtf8().constData());
    return 0;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsTranslated();
    void speaksTheLanguageChosen_data();
    void speaksTheLanguageChosen();
    void theMenuRemembersTheChoice();
};

void TestLanguage::everyTextIsTranslated()
{
    // The code's texts gathered anew into a copy of the English translation: none new, none
    // unfinished, every plural with both its forms.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("veltaro_en.ts"));
    QVERIFY(QFile::copy(QStringLiteral(VELTARO_TRANSLATIONS "/veltaro_en.ts"), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(QStringLiteral(VELTARO_LUPDATE),
                  QString::fromUtf8(VELTARO_LUPDATE_OPTIONS).split(QLatin1Char(';')) +
                      QStringList{QStringLiteral(VELTARO_SOURCES), QStringLiteral("-ts"), copy});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    QStringList unfinished;
    int messages = 0;
    QString source;
    bool plural = false;
    QStringList forms;   // a plural's
    QString translation; // another's
    bool marked = false; // type="unfinished" (or vanished, obsolete)
    while (!ts.atEnd()) {
        ts.readNext();
        if (ts.isEndElement() && ts.name() == QLatin1String("message")) {
            ++messages;
            const bool empty = plural ? forms.size() != 2 || forms.contains(QString()) : translation.isEmpty();
            if (marked || empty)
                unfinished << source;
        }
        if (!ts.isStartElement())
            continue;
        if (ts.name() == QLatin1String("message")) {
            plural = ts.attributes().value(QStringLiteral("numerus")) == QLatin1String("yes");
            forms.clear();
            translation.clear();
            marked = false;
        } else if (ts.name() == QLatin1String("source")) {
            source = ts.readElementText();
        } else if (ts.name() == QLatin1String("translation")) {
            marked = ts.attributes().hasAttribute(QStringLiteral("type"));
            if (!plural)
                translation = ts.readElementText();
        } else if (ts.name() == QLatin1String("numerusform")) {
            forms << ts.readElementText();
        }
    }
    QVERIFY2(!ts.hasError(), qPrintable(ts.errorString()));
    QVERIFY(messages > 400);
    QVERIFY2(unfinished.isEmpty(), qPrintable(QStringLiteral("%1 unfinished: ").arg(unfinished.size()) +
                                              unfinished.join(QStringLiteral(" | "))));
}

void TestLanguage::speaksTheLanguageChosen_data()
{
    QTest::addColumn<QStringList>("environment"); // besides a clean one
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("remembered"); // chosen in the window last time
    QTest::addColumn<QString>("spoken");
    // clang-format off
    QTest::newRow("LANGUAGE=en") << QStringList{"LANGUAGE=en", "LANG=C.UTF-8"} << QStringList() << QString() << "en";
    QTest::newRow("LANGUAGE=en alone") << QStringList{"LANGUAGE=en"} << QStringList() << QString() << "en";
    QTest::newRow("no language named: Chinese") << QStringList{"LANG=C.UTF-8"} << QStringList() << QString() << "zh_CN";
    QTest::newRow("POSIX") << QStringList{"LC_ALL=POSIX"} << QStringList() << QString() << "zh_CN";
    QTest::newRow("zh_CN before en") << QStringList{"LANGUAGE=zh_CN:en", "LANG=en_US.UTF-8"} << QStringList() << QString() << "zh_CN";
    QTest::newRow("a language it does not have: English") << QStringList{"LANG=ja_JP.UTF-8"} << QStringList() << QString() << "en";
    QTest::newRow("--lang en on a Chinese desktop") << QStringList{"LANG=zh_CN.UTF-8"} << QStringList{"--lang", "en"} << QString() << "en";
    QTest::newRow("the window's choice over the desktop's") << QStringList{"LANG=zh_CN.UTF-8"} << QStringList() << "en" << "en";
    QTest::newRow("--lang over the window's choice") << QStringList{"LANG=C.UTF-8"} << QStringList{"--lang=zh_CN"} << "en" << "zh_CN";
    // clang-format on
}

void TestLanguage::speaksTheLanguageChosen()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QString, remembered);
    QFETCH(QString, spoken);
    QTemporaryDir home;
    QProcessEnvironment clean;
    for (const char *kept : {"PATH", "QT_QPA_PLATFORM", "XDG_DATA_DIRS"})
        clean.insert(QString::fromLatin1(kept), qEnvironmentVariable(kept));
    clean.insert(QStringLiteral("HOME"), home.path());
    clean.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    clean.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    clean.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    for (const QString &setting : environment)
        clean.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    if (!remembered.isEmpty())
        QSettings(home.filePath(QStringLiteral("config/Veltaro/Veltaro.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("ui/language"), remembered);
    QProcess child;
    child.setProcessEnvironment(clean);
    child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + arguments);
    QVERIFY(child.waitForFinished(120000));
    QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 100);
    QCOMPARE(lines.first(), spoken);
    const QStringList texts = lines.mid(1);
    // Every number said where it belongs.
    static const QRegularExpression unfilled(QStringLiteral("%[n\\d]"));
    for (const QString &text : texts)
        QVERIFY2(!text.contains(unfilled), qPrintable(text));
    if (spoken == QLatin1String("en")) {
        QStringList chinese;
        for (const QString &text : texts)
            if (hasChinese(text))
                chinese << text;
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
        for (const char *english : {"Not found", "The server does not have this picture (HTTP 404)", "Show", "Exit",
                                    "No hour chosen", "Day",
                                    "Beijing time 2008-07-18 10:00 · UTC 02:00", "Export animation", "Save as seen…"})
            QVERIFY2(texts.contains(QString::fromUtf8(english)), english);
    } else {
        // The system's own texts, exactly.
        for (const char16_t *chinese : {u"无法找到", u"服务器上没有这幅图像（HTTP 404）", u"显示", u"退出", u"未选择小时",
                                         u"北京时间 2008-07-18 10:00 · UTC 02:00", u"Veltaro查询-数据来自中国风云二号气象卫星"})
            QVERIFY2(texts.contains(QString::fromUtf16(chinese)), qPrintable(QString::fromUtf16(chinese)));
    }
}

void TestLanguage::theMenuRemembersTheChoice()
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("veltaro.conf"));
    {
        StartedWindow window(dir.path());
        QAction *english = window.actions().action(Command::English);
        QVERIFY(window.actions().action(Command::Chinese)->isChecked());
        english->trigger();
        QVERIFY(english->isChecked());
        QCOMPARE(rememberedLanguage(settings), QStringLiteral("en"));
        // Spoken from the next start, as the status line says.
        QCOMPARE(window.reason(), QString::fromUtf16(u"下次启动时界面将用英文（English）"));
        QCOMPARE(languageSpoken(), QStringLiteral("zh_CN"));
    }
    StartedWindow again(dir.path());
    QVERIFY(again.actions().action(Command::English)->isChecked());
    // Chosen back before the next start: nothing changes, nothing to say.
    again.actions().action(Command::Chinese)->trigger();
    QCOMPARE(rememberedLanguage(settings), QStringLiteral("zh_CN"));
    QCOMPARE(again.reason(), QString());
}

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--child") == 0)
            return runChild(argc, argv);
    QApplication application(argc, argv);
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language.moc"
