#include "window/commandtable.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace veltaro {

namespace {

using Key = QKeySequence::StandardKey;

constexpr CommandDesign kCommands[] = {
    {Command::Show, QT_TRANSLATE_NOOP("Command", "显示"), "", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "显示所选时刻（北京时间）的云图，总是向服务器询问")},
    {Command::HourLater, QT_TRANSLATE_NOOP("Command", "后一小时"), "Ctrl+Right", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "显示后一小时的云图")},
    {Command::HourEarlier, QT_TRANSLATE_NOOP("Command", "前一小时"), "Ctrl+Left", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "显示前一小时的云图")},
    {Command::DayLater, QT_TRANSLATE_NOOP("Command", "后一天"), "Ctrl+Up", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "显示后一天同一小时的云图")},
    {Command::DayEarlier, QT_TRANSLATE_NOOP("Command", "前一天"), "Ctrl+Down", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "显示前一天同一小时的云图")},
    {Command::Play, QT_TRANSLATE_NOOP("Command", "播放"), "Ctrl+P", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "播放 / 暂停：从所选时刻起一小时一幅向后播放")},
    {Command::Loop, QT_TRANSLATE_NOOP("Command", "循环播放"), "Ctrl+Shift+P", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "循环播放到所选时刻为止的几小时（默认 24 小时）")},
    {Command::BackAndForth, QT_TRANSLATE_NOOP("Command", "往返"), "", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "循环播放时来回往返，而不是回到开头重来（开关）")},
    {Command::Faster, QT_TRANSLATE_NOOP("Command", "加快播放"), "Ctrl+]", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "播放加快（每秒 1 到 10 幅，默认 4 幅）")},
    {Command::Slower, QT_TRANSLATE_NOOP("Command", "减慢播放"), "Ctrl+[", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "播放减慢")},
    {Command::ZoomIn, QT_TRANSLATE_NOOP("Command", "放大"), "Ctrl++; Ctrl+=", Key::ZoomIn, QT_TRANSLATE_NOOP("Command", "放大（1.25 倍一级，最大 8 倍；Ctrl+滚轮以指针为中心）")},
    {Command::ZoomOut, QT_TRANSLATE_NOOP("Command", "缩小"), "Ctrl+-", Key::ZoomOut, QT_TRANSLATE_NOOP("Command", "缩小，最小到整幅图像可见")},
    {Command::Fit, QT_TRANSLATE_NOOP("Command", "适应窗口"), "Ctrl+0", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "整幅图像都在视区内，之后的图像也一样")},
    {Command::ActualSize, QT_TRANSLATE_NOOP("Command", "100 %"), "Ctrl+1", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "一个图像像素对一个屏幕像素")},
    {Command::FullScreen, QT_TRANSLATE_NOOP("Command", "全屏"), "F11", Key::FullScreen, QT_TRANSLATE_NOOP("Command", "全屏 / 退出全屏")},
    {Command::Escape, QT_TRANSLATE_NOOP("Command", "取消"), "Esc", Key::Cancel, QT_TRANSLATE_NOOP("Command", "取消正在进行的下载（及它所属的播放）；否则停止播放；否则退出全屏")},
    {Command::NextEnhancement, QT_TRANSLATE_NOOP("Command", "下一种增强"), "Ctrl+E", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "换用下一种增强：原图、反相、自动对比度、各色彩表（按灰度，非定标温度）")},
    {Command::PreviousEnhancement, QT_TRANSLATE_NOOP("Command", "上一种增强"), "Ctrl+Shift+E", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "换用上一种增强")},
    {Command::Adjust, QT_TRANSLATE_NOOP("Command", "调整亮度…"), "Ctrl+Shift+A", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "在任何增强之上调整亮度、对比度和伽马，可复原")},
    {Command::Copy, QT_TRANSLATE_NOOP("Command", "复制图像"), "Ctrl+C", Key::Copy, QT_TRANSLATE_NOOP("Command", "复制所见的图像（含增强）")},
    {Command::Save, QT_TRANSLATE_NOOP("Command", "另存为…"), "Ctrl+S", Key::Save, QT_TRANSLATE_NOOP("Command", "把所显示图像下载时的原样字节存为文件")},
    {Command::SaveSeen, QT_TRANSLATE_NOOP("Command", "另存为所见图像…"), "Ctrl+Shift+S", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "把屏幕上所见的图像（含增强）存为 PNG")},
    {Command::Export, QT_TRANSLATE_NOOP("Command", "导出动画…"), "Ctrl+Shift+X", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "把正在播放的循环或所选时刻前的几小时导出为 WebP、GIF 动画、MP4 视频或 JPEG 原图文件夹")},
    {Command::Compare, QT_TRANSLATE_NOOP("Command", "比较"), "Ctrl+K", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "比较所显示的时刻（A）和另一个时刻（B，默认前一天同一小时）：开 / 关")},
    {Command::CompareMoment, QT_TRANSLATE_NOOP("Command", "比较时刻…"), "Ctrl+Shift+K", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "选定 B：相对 A 的小时数（跟随 A），或固定的时刻（北京时间）")},
    {Command::SwapCompared, QT_TRANSLATE_NOOP("Command", "交换"), "Ctrl+J", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "交换 A 和 B")},
    {Command::Blink, QT_TRANSLATE_NOOP("Command", "闪烁"), "Alt+1", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "比较时 A、B 轮流显示，按播放速度")},
    {Command::Swipe, QT_TRANSLATE_NOOP("Command", "卷帘"), "Alt+2", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "比较时分界线左边 A、右边 B；拖动或 Alt+方向键移动分界线")},
    {Command::Fade, QT_TRANSLATE_NOOP("Command", "渐变"), "Alt+3", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "比较时 B 以一定不透明度叠在 A 上（0–100 %）")},
    {Command::Difference, QT_TRANSLATE_NOOP("Command", "差值"), "Alt+4", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "比较时显示 B − A 的灰度差：蓝为 B 较亮，红为 B 较暗，白为不变（灰度，非温度）")},
    {Command::SideBySide, QT_TRANSLATE_NOOP("Command", "并排"), "Alt+5", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "比较时 A、B 左右并排（窗口较高时上下排列）")},
    {Command::MoreOfB, QT_TRANSLATE_NOOP("Command", "多显示 B"), "Alt+Right", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "卷帘时分界线左移，渐变时 B 更不透明")},
    {Command::MoreOfA, QT_TRANSLATE_NOOP("Command", "多显示 A"), "Alt+Left", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "卷帘时分界线右移，渐变时 B 更透明")},
    {Command::Smooth, QT_TRANSLATE_NOOP("Command", "平滑播放"), "Ctrl+M", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "播放时在相邻两个整点之间用光流插出 1 到 3 幅过渡帧（标为“插值”）：开 / 关")},
    {Command::Reason, QT_TRANSLATE_NOOP("Command", "说明状态"), "Ctrl+I", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "在状态栏旁说明：“无法找到”的原因、下载进度或所显示的图像")},
    // Each language by its own name, whatever the language spoken.
    {Command::Chinese, QT_TRANSLATE_NOOP("Command", "中文"), "", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "界面用中文（下次启动时生效）")},
    {Command::English, QT_TRANSLATE_NOOP("Command", "English"), "", Key::UnknownKey, QT_TRANSLATE_NOOP("Command", "界面用英文（下次启动时生效）")},
    {Command::Help, QT_TRANSLATE_NOOP("Command", "帮助"), "F1", Key::HelpContents, QT_TRANSLATE_NOOP("Command", "列出全部命令和按键")},
    {Command::Exit, QT_TRANSLATE_NOOP("Command", "退出"), "Ctrl+Q", Key::Quit, QT_TRANSLATE_NOOP("Command", "结束程序")},
};

} // namespace

std::span<const CommandDesign> commandTable()
{
    return kCommands;
}

const CommandDesign &designOf(Command command)
{
    for (const CommandDesign &design : kCommands)
        if (design.command == command)
            return design;
    return kCommands[0]; // every command has its row; the table test holds it to that
}

QString nameOf(const CommandDesign &design)
{
    return QCoreApplication::translate("Command", design.text);
}

QString helpOf(const CommandDesign &design)
{
    return QCoreApplication::translate("Command", design.help);
}

QString mouseHint()
{
    return QCoreApplication::translate("Help", "鼠标：拖动图像移动它，滚轮上下移动（加 Shift 左右移动，加 Ctrl 缩放），右键打开图像的菜单；"
                          "方向键、PageUp/PageDown、Home/End 在视区里移动图像。");
}

QString keysText(const CommandDesign &design)
{
    return QString::fromLatin1(design.keys).split(QStringLiteral("; "), Qt::SkipEmptyParts)
        .join(QStringLiteral(" / "));
}

QString hintFor(std::initializer_list<Command> commands)
{
    QStringList hints;
    for (const Command command : commands) {
        const CommandDesign &design = designOf(command);
        hints << keysText(design) + QCoreApplication::translate("Help", "：") + nameOf(design);
    }
    return hints.join(QCoreApplication::translate("Help", "；"));
}

QString commandListText()
{
    // Padded by the columns a terminal gives the text: two for each Chinese character.
    const auto padded = [](const QString &text, int columns) {
        int used = 0;
        for (const QChar c : text)
            used += c.unicode() >= 0x2e80 ? 2 : 1;
        return text + QString(std::max(1, columns - used), QLatin1Char(' '));
    };
    QString text;
    for (const CommandDesign &design : kCommands) {
        const QString keys = keysText(design);
        text += QStringLiteral("  ") + padded(keys.isEmpty() ? QCoreApplication::translate("Help", "（按钮）") : keys, 18) +
                nameOf(design) + QCoreApplication::translate("Help", "：") +
                helpOf(design) + QLatin1Char('\n');
    }
    return text;
}

} // namespace veltaro
