#pragma once

#include <optional>

#include "picture/enhancement.h"

#include <QObject>
#include <QSettings>
#include <QTimer>
#include <QStringList>

#include <memory>
#include <vector>

namespace veltaro {

// The enhancement the user chose: 原图, 反相, 自动对比度 or one of the colour tables (the shipped
// ones, then the user's own in $XDG_DATA_HOME/Veltaro/enhancements/), with brightness,
// contrast and gamma on top. Remembered for the next start.
class Enhancer : public QObject
{
    Q_OBJECT

public:
    // `settingsFile` empty: the user's settings.
    explicit Enhancer(const QString &settingsFile = {}, QObject *parent = nullptr);
    ~Enhancer() override;

    // Where tables are read from, in order: the shipped folder, then the user's.
    static QStringList folders();

    QStringList choiceNames() const;
    int choice() const { return m_choice; }
    void choose(int index);
    // The next (or, with -1, the previous) choice, round the list.
    void step(int by);
    Adjustments adjustments() const { return m_adjust; }
    void setAdjustments(const Adjustments &adjust);

    Enhancement current() const;
    // What the choice does, in a sentence.
    QString description() const;
    // The files that were skipped, each with its reason.
    QStringList problems() const { return m_problems; }
    // The built-in enhancement of that id ("none", "invert", "stretch") or name ("原图"...).
    static std::optional<Enhancement> builtIn(const QString &idOrName);
    static QStringList builtInIds();
    // The problems in a few lines: how many, the first `atMost` of them; empty for none.
    static QString summaryOf(const QStringList &problems, int atMost = 5);
    // The problem of the table file `name`.table; empty when it has none.
    static QString problemWith(const QStringList &problems, const QString &name);

signals:
    void changed();
    // The choice could not be written to the settings, for this reason.
    void notSaved(const QString &reason);

private:
    void remember();
    void save();
    QString idOf(int index) const;

    std::vector<std::shared_ptr<const EnhancementTable>> m_tables;
    QStringList m_problems;
    std::unique_ptr<QSettings> m_settings;
    QTimer m_save;
    int m_choice = 0;
    Adjustments m_adjust;
};

} // namespace veltaro
