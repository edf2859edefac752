#include "window/picturekeeper.h"

#include "failure.h"
#include "widgets/picturebox.h"
#include "files/keptfile.h"
#include "query/moment.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>

namespace veltaro {

namespace {

// "2008-07-18 02:00" from the request's UTC fields; the year digit stands for 200x.
QString utcText(const ImageRequest &request)
{
    return QStringLiteral("200%1-%2-%3 %4:00")
        .arg(QString::fromStdString(request.year), QString::fromStdString(request.month),
             QString::fromStdString(request.day), QString::fromStdString(request.hour));
}

QString beijingText(const QueryTime &picked)
{
    if (const auto moment = momentOf(picked))
        return QString::fromStdString(momentText(*moment));
    return QStringLiteral("200%1-%2-%3 %4:00")
        .arg(QString::fromStdString(picked.year), QString::fromStdString(picked.month),
             QString::fromStdString(picked.day), QString::fromStdString(picked.hour));
}

// The platform's save dialog, opened at `proposed`; empty when the user cancels.
QString askWhereToSave(QWidget *parent, const QString &proposed)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("另存为"), proposed,
                                        QStringLiteral("JPEG 图像 (*.jpg *.jpeg)"));
}

} // namespace

PictureKeeper::PictureKeeper(QWidget *window, PictureBox *viewport, PictureBox *imageBox)
    : QObject(window), m_window(window), m_viewport(viewport), m_imageBox(imageBox),
      m_copy(new QAction(QStringLiteral("复制图像"), this)),
      m_save(new QAction(QStringLiteral("另存为…"), this)),
      m_choosePath([window](const QString &proposed) { return askWhereToSave(window, proposed); })
{
    m_copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    for (QAction *action : {m_copy, m_save}) {
        action->setEnabled(false); // nothing is shown yet
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    connect(m_copy, &QAction::triggered, this, &PictureKeeper::copy);
    connect(m_save, &QAction::triggered, this, &PictureKeeper::saveAs);

    // The right button and the Menu key open the menu on either box; so does Shift+F10.
    for (PictureBox *box : {viewport, imageBox}) {
        box->setContextMenuPolicy(Qt::ActionsContextMenu);
        box->addActions({m_copy, m_save});
        box->installEventFilter(this);
    }
}

void PictureKeeper::setSavePathChooser(std::function<QString(const QString &)> choose)
{
    m_choosePath = std::move(choose);
}

void PictureKeeper::pictureShown(const PictureSource &source, QSize size)
{
    m_source = source;
    m_shown =
        QStringLiteral("北京时间 %1 · UTC %2 · %3 · %4 × %5")
            .arg(beijingText(source.beijing), utcText(source.request),
                 QString::fromStdString(source.request.name) + QString::fromLatin1(kNameSuffix))
            .arg(size.width())
            .arg(size.height());
    describe();
    m_copy->setEnabled(true);
    m_save->setEnabled(true);
}

void PictureKeeper::zoomChanged(double zoom, bool fitting)
{
    const int percent = qRound(zoom * 100);
    m_zoom = fitting ? QStringLiteral("适应窗口 %1 %").arg(percent)
                     : QStringLiteral("%1 %").arg(percent);
    describe();
}

void PictureKeeper::describe()
{
    if (m_shown.isEmpty())
        return;
    m_description = m_zoom.isEmpty() ? m_shown : m_shown + QStringLiteral(" · ") + m_zoom;
    m_imageBox->setToolTip(m_description);
    m_imageBox->setAccessibleDescription(m_description);
    m_viewport->setAccessibleDescription(m_description);
}

void PictureKeeper::copy()
{
    if (m_imageBox->hasPicture())
        QGuiApplication::clipboard()->setImage(m_imageBox->picture());
}

void PictureKeeper::saveAs()
{
    if (m_source.bytes.isEmpty())
        return;
    const QString name =
        QString::fromStdString(m_source.request.name) + QString::fromLatin1(kNameSuffix);
    const QString path = m_choosePath(QDir(folderToSaveIn(m_savedIn)).filePath(name));
    if (path.isEmpty())
        return; // cancelled
    m_savedIn = QFileInfo(path).absolutePath();
    try {
        saveFileDurably(path, m_source.bytes);
    } catch (const FileFailure &failure) {
        QMessageBox::warning(m_window, QStringLiteral("另存为"), QString::fromUtf8(failure.what()));
    }
}

bool PictureKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            auto *box = static_cast<QWidget *>(watched);
            QMenu::exec(box->actions(), box->mapToGlobal(box->rect().center()), nullptr, box);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veltaro
