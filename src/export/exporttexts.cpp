#include "export/loopexport.h"

#include <QCoreApplication>
#include <QDir>

// What an export says while it runs and when it ends, in the status line, its progress window
// and on the terminal alike.

namespace veltaro {

QString progressText(int fetched, int passedOver, int encoded, int total, bool toFolder)
{
    QString text = QCoreApplication::translate("LoopExport", "已取得 %1/%2 幅").arg(fetched - passedOver).arg(total);
    if (passedOver > 0)
        text += QCoreApplication::translate("LoopExport", "（%n 幅跳过）", nullptr, passedOver);
    return text + (toFolder ? QCoreApplication::translate("LoopExport", "，已存 %n 个文件", nullptr, encoded)
                            : QCoreApplication::translate("LoopExport", "，已编码 %n 帧", nullptr, encoded));
}

QString writtenText(const ExportResult &result)
{
    const QString kb = QStringLiteral("%1 KB").arg((result.bytes + 1023) / 1024);
    return result.toFolder ? QCoreApplication::translate("LoopExport", "已写入 %1（%n 个新文件，%2）", nullptr, result.frames)
                                 .arg(QDir::toNativeSeparators(result.path), kb)
                           : QCoreApplication::translate("LoopExport", "已写入 %1（%2，%n 帧）", nullptr, result.frames)
                                 .arg(QDir::toNativeSeparators(result.path), kb);
}

QStringList passedOverLines(const ExportResult &result)
{
    QStringList lines;
    if (!result.missing.isEmpty())
        lines << QCoreApplication::translate("LoopExport", "服务器上没有这些时刻的图像（北京时间），已跳过：") +
                     result.missing.join(QCoreApplication::translate("LoopExport", "、"));
    if (!result.skipped.isEmpty())
        lines << QCoreApplication::translate("LoopExport", "这些时刻的图像无法使用（北京时间），已跳过：") +
                     result.skipped.join(QCoreApplication::translate("LoopExport", "；"));
    return lines;
}

} // namespace veltaro
