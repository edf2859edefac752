#include "window/picturekeeper.h"

#include "failure.h"
#include "said.h"
#include "widgets/picturebox.h"
#include "files/savedfile.h"
#include "query/moment.h"

#include <QContextMenuEvent>
#include <QBuffer>
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
    return QString::fromStdString(fieldsText(request.year, request.month, request.day, request.hour));
}

QString beijingText(const QueryTime &picked)
{
    return QString::fromStdString(pickedText(picked));
}

// The platform's save dialog, opened at `proposed` beside the window; `chosen` hears the path,
// or nothing when the user cancels.
void askWhereToSave(QWidget *parent, const QString &proposed, const QString &filter,
                    std::function<void(QString)> chosen)
{
    auto *dialog = new QFileDialog(parent, QCoreApplication::translate("veltaro::PictureKeeper", "另存为"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(filter);
    dialog->selectFile(proposed);
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [dialog, chosen = std::move(chosen)](int result) {
                         const QStringList files = dialog->selectedFiles();
                         chosen(result == QDialog::Accepted && !files.isEmpty() ? files.first()
                                                                               : QString());
                     });
    dialog->open();
}

// A failure said beside the window, waiting for nobody.
void sayFailure(QWidget *window, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

const QString kJpegFilter = QCoreApplication::translate("veltaro::PictureKeeper", "JPEG 图像 (*.jpg *.jpeg)");
const QString kPngFilter = QCoreApplication::translate("veltaro::PictureKeeper", "PNG 图像 (*.png)");

} // namespace

PictureKeeper::PictureKeeper(QWidget *window, PictureBox *viewport, PictureBox *imageBox)
    : QObject(window), m_window(window), m_viewport(viewport), m_imageBox(imageBox),
      m_choosePath([window](const QString &proposed, const QString &filter,
                            std::function<void(QString)> chosen) {
          askWhereToSave(window, proposed, filter, std::move(chosen));
      })
{
    // The right button and the Menu key open the menu on either box; so does Shift+F10.
    for (PictureBox *box : {viewport, imageBox}) {
        box->setContextMenuPolicy(Qt::ActionsContextMenu);
        box->installEventFilter(this);
    }
}

void PictureKeeper::setSavePathChooser(
    std::function<QString(const QString &, const QString &)> choose)
{
    m_choosePath = [choose = std::move(choose)](const QString &proposed, const QString &filter,
                                                std::function<void(QString)> chosen) {
        chosen(choose(proposed, filter));
    };
}

void PictureKeeper::pictureShown(const PictureSource &source, QSize size)
{
    m_made = false;
    m_source = source;
    m_shown =
        tr("北京时间 %1 · UTC %2 · %3 · %4 × %5")
            .arg(beijingText(source.beijing), utcText(source.request),
                 QString::fromStdString(source.request.name) + QString::fromLatin1(kNameSuffix))
            .arg(size.width())
            .arg(size.height());
    describe();
}

void PictureKeeper::zoomChanged(double zoom, bool fitting)
{
    const int percent = qRound(zoom * 100);
    m_zoom = fitting ? tr("适应窗口 %1 %").arg(percent)
                     : QStringLiteral("%1 %").arg(percent);
    describe();
}

void PictureKeeper::describe()
{
    if (m_shown.isEmpty())
        return;
    m_description = m_zoom.isEmpty() ? m_shown : m_shown + QStringLiteral(" · ") + m_zoom;
    if (!m_comparing.isEmpty())
        m_description += tr(" · 比较 ") + m_comparing;
    m_imageBox->setToolTip(m_description);
    m_imageBox->setAccessibleDescription(m_description);
    m_viewport->setAccessibleDescription(m_description);
}

void PictureKeeper::madeFrameShown(const QString &moment)
{
    m_made = true;
    m_source = {};
    m_shown = moment;
    describe();
}

void PictureKeeper::setComparing(const QString &moments)
{
    if (std::exchange(m_comparing, moments) != moments)
        describe();
}

void PictureKeeper::copy()
{
    const QImage picture = m_menuOn ? m_menuOn->second : m_imageBox->picture();
    if (!picture.isNull())
        QGuiApplication::clipboard()->setImage(picture);
}

void PictureKeeper::saveAs()
{
    // The picture shown now: playback may show others while the dialog is open.
    const PictureSource source = m_menuOn ? m_menuOn->first : m_source;
    if (source.bytes.isEmpty() && m_made) {
        sayFailure(m_window, tr("另存为"),
                   tr("这一帧是两个整点之间插出来的，没有下载的原样字节；"
                                  "可以用“另存为所见图像…”保存所见的这一帧"));
        return;
    }
    if (source.bytes.isEmpty())
        return;
    const QString name =
        QString::fromStdString(source.request.name) + QString::fromLatin1(kNameSuffix);
    m_choosePath(QDir(folderToSaveIn(m_savedIn)).filePath(name), kJpegFilter,
                 [this, bytes = source.bytes](const QString &path) {
                     if (path.isEmpty())
                         return; // cancelled
                     m_savedIn = QFileInfo(path).absolutePath();
                     try {
                         saveFileDurably(path, bytes);
                     } catch (const FileFailure &failure) {
                         sayFailure(m_window, tr("另存为"), QString::fromUtf8(failure.what()));
                     }
                 });
}

void PictureKeeper::openMenu(QWidget *box, QPoint globalPosition)
{
    // What the menu acts on is taken now; it is let go once the menu has closed and a command
    // chosen in it has run.
    m_menuOn.emplace(m_source, m_imageBox->picture());
    auto *menu = new QMenu(box);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(box->actions());
    connect(menu, &QMenu::aboutToHide, this, [this] {
        QMetaObject::invokeMethod(this, [this] { m_menuOn.reset(); }, Qt::QueuedConnection);
    });
    menu->popup(globalPosition);
}

void PictureKeeper::saveSeen()
{
    // What is on screen now, enhancement and all: playback may show others while the dialog is
    // open.
    const QImage seen = m_menuOn ? m_menuOn->second : m_imageBox->picture();
    const PictureSource source = m_menuOn ? m_menuOn->first : m_source;
    if (seen.isNull())
        return;
    // Named by its moment in Beijing time, as exported frames and files are.
    const auto moment = momentOf(source.beijing);
    const QString name = (moment ? QString::fromStdString(fileStemOf(*moment))
                                 : QString::fromStdString(source.request.name) + QStringLiteral("00")) +
                         tr("-所见.png");
    m_choosePath(QDir(folderToSaveIn(m_savedIn)).filePath(name), kPngFilter,
                 [this, seen](const QString &path) {
                     if (path.isEmpty())
                         return; // cancelled
                     m_savedIn = QFileInfo(path).absolutePath();
                     QByteArray png;
                     QBuffer buffer(&png);
                     buffer.open(QIODevice::WriteOnly);
                     try {
                         if (!seen.save(&buffer, "PNG"))
                             throw FileFailure(said("veltaro::PictureKeeper", "无法把图像编码为 PNG"));
                         saveFileDurably(path, png);
                     } catch (const FileFailure &failure) {
                         sayFailure(m_window, tr("另存为所见图像"),
                                    QString::fromUtf8(failure.what()));
                     }
                 });
}

bool PictureKeeper::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::ContextMenu) {
        openMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            openMenu(box, box->mapToGlobal(box->rect().center()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace veltaro
