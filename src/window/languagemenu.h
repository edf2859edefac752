#pragma once

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace veltaro {

class ActionTable;

// The menu "语言 / Language" (named in both, so that it is found in either): the languages the
// program speaks, each by its own name, the one chosen checked. A choice is remembered in the
// settings and spoken from the next start (the texts already on screen stay as they are); the
// status line says so.
class LanguageMenu : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kMenuName = "语言 / Language";

    LanguageMenu(ActionTable &actions, const QString &settingsFile, QWidget *parent);

    QMenu *menu() const { return m_menu; }

signals:
    void said(const QString &note);

private:
    void choose(const QString &language);

    QString m_settingsFile;
    QMenu *m_menu;
};

} // namespace veltaro
