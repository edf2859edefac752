#include "window/exportcontroller.h"

#include "export/loopexport.h"
#include "files/savedfile.h"
#include "window/enhancer.h"
#include "window/exportdialog.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

namespace veltaro {

namespace {

QString title()
{
    return QCoreApplication::translate("veltaro::ExportController", "导出动画");
}

// A message beside the window that waits for nobody.
void say(QWidget *window, QMessageBox::Icon icon, const QString &text)
{
    auto *box = new QMessageBox(icon, title(), text, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace

ExportController::ExportController(QWidget *window, Transfer &transfer, const Enhancer &enhancer,
                                   std::function<Start()> start)
    : QObject(window), m_window(window), m_transfer(transfer), m_enhancer(enhancer),
      m_start(std::move(start))
{
    m_choosePath = [this](const QString &proposed, bool folder, const QString &filter,
                          std::function<void(QString)> chosen) {
        choosePathWithDialog(proposed, folder, filter, std::move(chosen));
    };
}

ExportController::~ExportController()
{
    // An export under way ends with the window: it writes nothing.
    delete m_job;
}

void ExportController::open()
{
    if (m_progress) {
        m_progress->raise();
        m_progress->activateWindow();
        return;
    }
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    const Start start = m_start();
    if (!start.picked) {
        say(m_window, QMessageBox::Information, tr("请先在四个列表中选好时刻。"));
        return;
    }
    // The dialog works on what was there when it opened, whatever plays meanwhile.
    // A loop on screen is exported as it plays; otherwise the last export's choices stand.
    ExportDialog::Choices choices = m_last;
    if (!start.loop.empty()) {
        choices.plan.picturesPerSecond = start.picturesPerSecond;
        choices.plan.backAndForth = start.backAndForth;
        choices.plan.restMs = start.restMs;
    }
    choices.plan.smoothGapHours = start.smoothGapHours;
    m_dialog = new ExportDialog(start.loop, *start.picked, choices, m_enhancer.current(),
                                m_enhancer.choiceNames().value(m_enhancer.choice()), m_window);
    connect(m_dialog, &QDialog::rejected, m_dialog, &QObject::deleteLater);
    connect(m_dialog, &QDialog::accepted, this, &ExportController::accepted);
    m_dialog->open();
}

void ExportController::accepted()
{
    if (!m_dialog)
        return;
    const QString proposed = QDir(folderToSaveIn(m_exportedIn)).filePath(m_dialog->proposedName());
    const bool folder = m_dialog->toFolder();
    const QString filter = m_dialog->formatList()->currentText() +
                           QStringLiteral(" (*.%1)").arg(QFileInfo(proposed).suffix());
    // What the dialog's fields say, taken now: the dialog goes, the file dialog follows.
    ExportRequest request = m_dialog->request({});
    m_last = m_dialog->choices();
    m_dialog->deleteLater();
    m_choosePath(proposed, folder, filter, [this, request, folder](const QString &path) mutable {
        if (path.isEmpty() || m_job)
            return;
        m_exportedIn = folder ? path : QFileInfo(path).absolutePath();
        request.path = path;
        m_job = new LoopExport(m_transfer, request, this);
        run();
    });
}

void ExportController::choosePathWithDialog(const QString &proposed, bool folder,
                                            const QString &filter,
                                            std::function<void(QString)> chosen)
{
    auto *files = new QFileDialog(m_window, folder ? tr("导出到文件夹")
                                                   : title());
    files->setAttribute(Qt::WA_DeleteOnClose);
    files->setAcceptMode(folder ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    files->setFileMode(folder ? QFileDialog::Directory : QFileDialog::AnyFile);
    if (folder) {
        files->setOption(QFileDialog::ShowDirsOnly);
        files->setDirectory(QFileInfo(proposed).path());
    } else {
        files->setNameFilter(filter);
        files->selectFile(proposed);
    }
    connect(files, &QFileDialog::finished, this, [files, chosen = std::move(chosen)](int result) {
        const QStringList picked = files->selectedFiles();
        chosen(result == QDialog::Accepted && !picked.isEmpty() ? picked.first() : QString());
    });
    files->open();
}

void ExportController::run()
{
    // The export goes on beside the window, which stays usable; its progress can cancel it.
    auto *progress = new QProgressDialog(tr("正在导出…"), tr("取消"), 0,
                                         2 * m_job->total(), m_window);
    m_progress = progress;
    progress->setWindowTitle(title());
    progress->setWindowModality(Qt::NonModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(0);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    LoopExport *job = m_job;
    connect(m_job, &LoopExport::progressed, progress, [progress, job](int fetched, int encoded, int total) {
        progress->setMaximum(std::max(1, total + std::max(encoded, total)));
        progress->setValue(fetched + encoded);
        progress->setLabelText(progressText(fetched, job->passedOver(), encoded, total, job->toFolder()));
    });
    connect(progress, &QProgressDialog::canceled, m_job, &LoopExport::cancel);
    connect(m_job, &LoopExport::finished, this, &ExportController::ended);
    m_job->start();
}

void ExportController::ended(const ExportResult &result)
{
    if (m_progress)
        m_progress->close();
    m_job->deleteLater();
    m_job = nullptr;
    emit finished(result);
    if (result.cancelled)
        return;
    QString text = result.written ? writtenText(result) : tr("导出失败：") + result.reason;
    for (const QString &line : passedOverLines(result))
        text += QLatin1Char('\n') + line;
    say(m_window, result.written ? QMessageBox::Information : QMessageBox::Warning, text);
}

} // namespace veltaro
