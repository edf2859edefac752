#include "window/languagemenu.h"

#include "window/actiontable.h"
#include "window/language.h"

#include <QActionGroup>
#include <QDir>
#include <QMenu>

namespace veltaro {

namespace {

struct Spoken
{
    Command command;
    const char *language;
};
constexpr Spoken kSpoken[] = {{Command::Chinese, kChinese}, {Command::English, kEnglish}};

} // namespace

LanguageMenu::LanguageMenu(ActionTable &actions, const QString &settingsFile, QWidget *parent)
    : QObject(parent), m_settingsFile(settingsFile),
      m_menu(new QMenu(QString::fromUtf8(kMenuName), parent))
{
    auto *group = new QActionGroup(this);
    const QString remembered = rememberedLanguage(settingsFile);
    const QString chosen = languagesSpoken().contains(remembered) ? remembered : languageSpoken();
    for (const Spoken &spoken : kSpoken) {
        QAction *action = actions.action(spoken.command);
        action->setCheckable(true);
        action->setChecked(chosen == QLatin1String(spoken.language));
        group->addAction(action);
        m_menu->addAction(action);
        const QString language = QString::fromLatin1(spoken.language);
        connect(action, &QAction::triggered, this, [this, language] { choose(language); });
    }
}

void LanguageMenu::choose(const QString &language)
{
    if (const QString notWritten = rememberLanguage(m_settingsFile, language); !notWritten.isEmpty()) {
        emit said(tr("无法保存设置到 %1").arg(QDir::toNativeSeparators(notWritten)));
        return;
    }
    // Qt's widgets would each have to be told their texts anew: the language changes with the
    // next start, and the status line says so.
    emit said(language == languageSpoken()              ? QString()
              : language == QLatin1String(kEnglish) ? tr("下次启动时界面将用英文（English）")
                                                    : tr("下次启动时界面将用中文"));
}

} // namespace veltaro
