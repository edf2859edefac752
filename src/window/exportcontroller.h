#pragma once

#include "query/moment.h"
#include "window/exportdialog.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace veltaro {

class Enhancer;
class LoopExport;
class Transfer;
struct ExportResult;

// "导出动画…" in the window: the dialog, the file or folder chosen, the export running beside the
// window with a progress window that can cancel it, and its result said in a message that does
// not block. It owns the export it starts, one at a time; nothing here waits in a loop of its own
// (dialogs are opened and answer through their signals).
class ExportController : public QObject
{
    Q_OBJECT

public:
    // What the dialog starts from, asked each time it opens: the loop on screen (empty when
    // none) with how it plays, and the picked moment.
    struct Start
    {
        std::vector<Moment> loop;
        std::optional<Moment> picked;
        int picturesPerSecond = loop::kDefaultSpeed;
        bool backAndForth = false;
        int restMs = 0;
        int smoothGapHours = loop::kDefaultSmoothGapHours;
    };

    ExportController(QWidget *window, Transfer &transfer, const Enhancer &enhancer,
                     std::function<Start()> start);
    ~ExportController() override;

    // Opens the dialog; an export already running is raised instead.
    void open();
    bool isRunning() const { return m_job != nullptr; }
    // The dialog while it is open; null otherwise.
    ExportDialog *dialog() const { return m_dialog; }

    // Where the file (or folder) goes, asked once the dialog is accepted; by default a file
    // dialog, opened and answered through its signal. The chooser calls `chosen` with the
    // path, or with nothing when the user gave none.
    using PathChooser = std::function<void(const QString &proposed, bool folder,
                                           const QString &filter, std::function<void(QString)> chosen)>;
    void setPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }

signals:
    void finished(const veltaro::ExportResult &result);

private:
    void accepted();
    void run();
    void ended(const ExportResult &result);
    void choosePathWithDialog(const QString &proposed, bool folder, const QString &filter,
                              std::function<void(QString)> chosen);

    QWidget *m_window;
    Transfer &m_transfer;
    const Enhancer &m_enhancer;
    std::function<Start()> m_start;
    PathChooser m_choosePath;
    QPointer<ExportDialog> m_dialog;
    LoopExport *m_job = nullptr;
    QPointer<QWidget> m_progress;
    QString m_exportedIn; // the folder exported to last
    ExportDialog::Choices m_last; // what the last export's dialog said
};

} // namespace veltaro
