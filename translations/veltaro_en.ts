<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AnimationFormat</name>
    <message>
        <source>WebP 动画</source>
        <translation>Animated WebP</translation>
    </message>
    <message>
        <source>GIF 动画</source>
        <translation>Animated GIF</translation>
    </message>
    <message>
        <source>MP4 视频（H.264）</source>
        <translation>MP4 video (H.264)</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>显示所选时刻（北京时间）的云图，总是向服务器询问</source>
        <translation>Show the cloud picture of the chosen moment (Beijing time), always asking the server</translation>
    </message>
    <message>
        <source>后一小时</source>
        <translation>Hour later</translation>
    </message>
    <message>
        <source>显示后一小时的云图</source>
        <translation>Show the picture of the hour after</translation>
    </message>
    <message>
        <source>前一小时</source>
        <translation>Hour earlier</translation>
    </message>
    <message>
        <source>显示前一小时的云图</source>
        <translation>Show the picture of the hour before</translation>
    </message>
    <message>
        <source>后一天</source>
        <translation>Day later</translation>
    </message>
    <message>
        <source>显示后一天同一小时的云图</source>
        <translation>Show the same hour a day later</translation>
    </message>
    <message>
        <source>前一天</source>
        <translation>Day earlier</translation>
    </message>
    <message>
        <source>显示前一天同一小时的云图</source>
        <translation>Show the same hour a day earlier</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放 / 暂停：从所选时刻起一小时一幅向后播放</source>
        <translation>Play / pause: hour after hour onward from the chosen moment</translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>循环播放到所选时刻为止的几小时（默认 24 小时）</source>
        <translation>Play the hours up to the chosen moment over and over (24 hours unless chosen otherwise)</translation>
    </message>
    <message>
        <source>往返</source>
        <translation>Back and forth</translation>
    </message>
    <message>
        <source>循环播放时来回往返，而不是回到开头重来（开关）</source>
        <translation>Play a loop forward and back instead of starting over (on / off)</translation>
    </message>
    <message>
        <source>加快播放</source>
        <translation>Play faster</translation>
    </message>
    <message>
        <source>播放加快（每秒 1 到 10 幅，默认 4 幅）</source>
        <translation>Play faster (1 to 10 pictures a second, 4 at first)</translation>
    </message>
    <message>
        <source>减慢播放</source>
        <translation>Play slower</translation>
    </message>
    <message>
        <source>播放减慢</source>
        <translation>Play slower</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>放大（1.25 倍一级，最大 8 倍；Ctrl+滚轮以指针为中心）</source>
        <translation>Zoom in (steps of 1.25 ×, up to 8 ×; Ctrl+wheel around the pointer)</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>缩小，最小到整幅图像可见</source>
        <translation>Zoom out, down to the whole picture in view</translation>
    </message>
    <message>
        <source>适应窗口</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>整幅图像都在视区内，之后的图像也一样</source>
        <translation>The whole picture in the viewport, and the pictures after it too</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>一个图像像素对一个屏幕像素</source>
        <translation>One image pixel to one screen pixel</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>全屏 / 退出全屏</source>
        <translation>Full screen / leave full screen</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>取消正在进行的下载（及它所属的播放）；否则停止播放；否则退出全屏</source>
        <translation>Cancel the download under way (and the playing it belongs to); else stop playing; else leave full screen</translation>
    </message>
    <message>
        <source>下一种增强</source>
        <translation>Next enhancement</translation>
    </message>
    <message>
        <source>换用下一种增强：原图、反相、自动对比度、各色彩表（按灰度，非定标温度）</source>
        <translation>Go to the next enhancement: as is, inverted, auto contrast, the colour tables (by grey level, not calibrated temperature)</translation>
    </message>
    <message>
        <source>上一种增强</source>
        <translation>Previous enhancement</translation>
    </message>
    <message>
        <source>换用上一种增强</source>
        <translation>Go to the previous enhancement</translation>
    </message>
    <message>
        <source>调整亮度…</source>
        <translation>Adjust brightness…</translation>
    </message>
    <message>
        <source>在任何增强之上调整亮度、对比度和伽马，可复原</source>
        <translation>Adjust brightness, contrast and gamma on top of any enhancement, with a reset</translation>
    </message>
    <message>
        <source>复制图像</source>
        <translation>Copy picture</translation>
    </message>
    <message>
        <source>复制所见的图像（含增强）</source>
        <translation>Copy the picture as seen (enhancement and all)</translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation>Save as…</translation>
    </message>
    <message>
        <source>把所显示图像下载时的原样字节存为文件</source>
        <translation>Save the shown picture&apos;s bytes as they were downloaded</translation>
    </message>
    <message>
        <source>另存为所见图像…</source>
        <translation>Save as seen…</translation>
    </message>
    <message>
        <source>把屏幕上所见的图像（含增强）存为 PNG</source>
        <translation>Save the picture as seen on screen (enhancement and all) as PNG</translation>
    </message>
    <message>
        <source>导出动画…</source>
        <translation>Export animation…</translation>
    </message>
    <message>
        <source>把正在播放的循环或所选时刻前的几小时导出为 WebP、GIF 动画、MP4 视频或 JPEG 原图文件夹</source>
        <translation>Export the loop playing, or the hours before the chosen moment, as animated WebP or GIF, MP4 video or a folder of the original JPEG files</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>比较所显示的时刻（A）和另一个时刻（B，默认前一天同一小时）：开 / 关</source>
        <translation>Compare the moment shown (A) with another (B, by default the same hour a day earlier): on / off</translation>
    </message>
    <message>
        <source>比较时刻…</source>
        <translation>Compare with…</translation>
    </message>
    <message>
        <source>选定 B：相对 A 的小时数（跟随 A），或固定的时刻（北京时间）</source>
        <translation>Choose B: hours before A (following A), or a fixed moment (Beijing time)</translation>
    </message>
    <message>
        <source>交换</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>交换 A 和 B</source>
        <translation>Swap A and B</translation>
    </message>
    <message>
        <source>闪烁</source>
        <translation>Blink</translation>
    </message>
    <message>
        <source>比较时 A、B 轮流显示，按播放速度</source>
        <translation>While comparing, A and B by turns at the playing speed</translation>
    </message>
    <message>
        <source>卷帘</source>
        <translation>Swipe</translation>
    </message>
    <message>
        <source>比较时分界线左边 A、右边 B；拖动或 Alt+方向键移动分界线</source>
        <translation>While comparing, A left of the divider and B right of it; drag or Alt+arrow keys move the divider</translation>
    </message>
    <message>
        <source>渐变</source>
        <translation>Fade</translation>
    </message>
    <message>
        <source>比较时 B 以一定不透明度叠在 A 上（0–100 %）</source>
        <translation>While comparing, B over A at an opacity (0–100 %)</translation>
    </message>
    <message>
        <source>差值</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>比较时显示 B − A 的灰度差：蓝为 B 较亮，红为 B 较暗，白为不变（灰度，非温度）</source>
        <translation>While comparing, B − A in grey levels: blue where B is brighter, red where darker, white unchanged (grey levels, not temperatures)</translation>
    </message>
    <message>
        <source>并排</source>
        <translation>Side by side</translation>
    </message>
    <message>
        <source>比较时 A、B 左右并排（窗口较高时上下排列）</source>
        <translation>While comparing, A and B side by side (one above the other in a tall window)</translation>
    </message>
    <message>
        <source>多显示 B</source>
        <translation>More of B</translation>
    </message>
    <message>
        <source>卷帘时分界线左移，渐变时 B 更不透明</source>
        <translation>Swipe: divider to the left; fade: B more opaque</translation>
    </message>
    <message>
        <source>多显示 A</source>
        <translation>More of A</translation>
    </message>
    <message>
        <source>卷帘时分界线右移，渐变时 B 更透明</source>
        <translation>Swipe: divider to the right; fade: B more transparent</translation>
    </message>
    <message>
        <source>平滑播放</source>
        <translation>Smooth playing</translation>
    </message>
    <message>
        <source>播放时在相邻两个整点之间用光流插出 1 到 3 幅过渡帧（标为“插值”）：开 / 关</source>
        <translation>While playing, show 1 to 3 frames made by optical flow between two neighbouring hours (marked &quot;interpolated&quot;): on / off</translation>
    </message>
    <message>
        <source>说明状态</source>
        <translation>Explain status</translation>
    </message>
    <message>
        <source>在状态栏旁说明：“无法找到”的原因、下载进度或所显示的图像</source>
        <translation>Explain beside the status line: why &quot;Not found&quot;, the download&apos;s progress, or the picture shown</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>列出全部命令和按键</source>
        <translation>List every command and key</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>结束程序</source>
        <translation>End the program</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>界面用中文（下次启动时生效）</source>
        <translation>The interface in Chinese (from the next start)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>界面用英文（下次启动时生效）</source>
        <translation>The interface in English (from the next start)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>用法：%1 [时刻 [--loop 小时数] [--fps 幅数]] [Qt 的选项，如 -platform 名称]
      %1 --export 文件 --moment 时刻 [--hours 24] [--every 1] [--fps 4]
         [--size original|half|像素] [--format webp|gif|mp4|jpg] [--enhance 名称]
         [--quality 80] [--lossless] [--back-and-forth] [--smooth 2|3|4] [--no-label]
      [--lang en|zh_CN]
      %1 --help | --version
</source>
        <translation>Usage: %1 [moment [--loop hours] [--fps pictures]] [Qt&apos;s options, such as -platform name]
       %1 --export file --moment moment [--hours 24] [--every 1] [--fps 4]
          [--size original|half|pixels] [--format webp|gif|mp4|jpg] [--enhance name]
          [--quality 80] [--lossless] [--back-and-forth] [--smooth 2|3|4] [--no-label]
       [--lang en|zh_CN]
       %1 --help | --version
</translation>
    </message>
    <message>
        <source>
Veltaro 显示所选时刻（北京时间）的气象卫星云图：选好年、月、日、时，按“显示”。

选项：
  时刻           以此时刻（北京时间）启动并显示，写作 2008-07-18T10 或“2008-07-18 10”，
                 在 2006-01-01 00:00 到 2009-12-31 23:00 之间
  --loop N       启动后循环播放到该时刻为止的 N 小时（6、12、24 或 48）；
                 --fps N 每秒 N 幅（1 到 10）
  --export 文件  不开窗口，把到 --moment 为止的 --hours 小时（默认 24）导出为动画：
                 --every 1|2|3 每隔几小时一幅；--format webp|gif|mp4|jpg（默认按文件后缀，
                 jpg 为一个文件夹，存下载时的原样图像，如 2008-07-18_1000.jpg，已有的不再下载）；
                 --size original|half|最长边像素；--enhance 增强表名；--quality 0-100；
                 --lossless；--back-and-forth 往返；--no-label 不写时刻；
                 --smooth 2|3|4 平滑：相邻两小时之间用光流插出 1 到 3 帧，标为“插值”。
                 退出状态：0 全部帧都在，3 跳过了缺的或损坏的小时（会列出），1 失败
  --lang en|zh_CN  界面语言：英文或中文（默认随桌面的语言；没有指定语言时为中文）
  -h, --help     显示本说明后退出
  -v, --version  显示版本后退出
  Qt 程序通用的选项（-platform、-style、-display 等）照常有效。

窗口下方的面板显示所显示图像的时刻，并有播放、循环、速度、缩放、增强和时间轴。

命令和按键（也在图像的右键菜单、面板和 F1 帮助窗口里）：
</source>
        <translation>
Veltaro shows the weather-satellite cloud picture of a moment (Beijing time): pick the year,
month, day and hour and press &quot;Show&quot;.

Options:
  moment         start showing this moment (Beijing time), written 2008-07-18T10 or
                 &quot;2008-07-18 10&quot;, between 2006-01-01 00:00 and 2009-12-31 23:00
  --loop N       then loop the N hours up to it (6, 12, 24 or 48);
                 --fps N at N pictures a second (1 to 10)
  --export file  without a window, export the --hours hours (24 by default) up to --moment:
                 --every 1|2|3 a picture every so many hours; --format webp|gif|mp4|jpg (by
                 default the file&apos;s suffix; jpg is a folder of the pictures as downloaded,
                 such as 2008-07-18_1000.jpg, those already there not downloaded again);
                 --size original|half|longest side in pixels; --enhance a table&apos;s name;
                 --quality 0-100; --lossless; --back-and-forth; --no-label without the moment;
                 --smooth 2|3|4 smooth: 1 to 3 frames made by optical flow between two
                 hours, marked &quot;interpolated&quot;.
                 Exit status: 0 every frame there, 3 missing or damaged hours passed over
                 (they are listed), 1 failed
  --lang en|zh_CN  the language: English or Chinese (by default the desktop&apos;s; Chinese where
                 no language is set)
  -h, --help     show this help and end
  -v, --version  show the version and end
  The options of every Qt program (-platform, -style, -display ...) work as usual.

The panel under the picture shows the moment of the picture shown, with playing, looping,
speed, zoom, enhancements and a time line.

Commands and keys (also in the picture&apos;s context menu, the panel and the F1 help window):
</translation>
    </message>
    <message>
        <source>

环境变量：
  http_proxy, HTTP_PROXY  经此代理服务器下载图像（如 http://127.0.0.1:8080）
  no_proxy, NO_PROXY      不经代理的主机名、域名后缀，或 *

文件：
  temp.jpg  最近一次下载的内容：程序所在文件夹可写时放在那里，否则（包括安装后的
            程序）放在用户的缓存文件夹（~/.cache/Veltaro/）。
  ~/.cache/Veltaro/pictures/  下载过的图像，最多 256 MB；按时间前后切换时直接使用，
            按“显示”时仍向服务器确认。
  ~/.local/share/Veltaro/enhancements/*.table  自己的增强表（灰度范围对应颜色，
            按灰度而非定标温度；见 man veltaro）。
  ~/.config/Veltaro/Veltaro.conf  所选的增强，下次启动时沿用。

退出状态：0 正常结束；1 无法打开显示或窗口无法建立，或导出失败；2 命令行有误；
          3 导出时跳过了一些小时（服务器上没有，或图像损坏）。
</source>
        <translation>

Environment:
  http_proxy, HTTP_PROXY  download the pictures through this proxy (such as http://127.0.0.1:8080)
  no_proxy, NO_PROXY      host names and domain suffixes reached without the proxy, or *

Files:
  temp.jpg  what was downloaded last: in the program&apos;s folder where it may write there,
            otherwise (an installed program too) in the user&apos;s cache folder (~/.cache/Veltaro/).
  ~/.cache/Veltaro/pictures/  the pictures downloaded, at most 256 MB; stepping through time
            uses them, a press of &quot;Show&quot; still asks the server.
  ~/.local/share/Veltaro/enhancements/*.table  your own enhancement tables (grey-level ranges
            to colours, by grey level, not calibrated temperature; see man veltaro).
  ~/.config/Veltaro/Veltaro.conf  the enhancement, the panel&apos;s settings and the language
            chosen, for the next start.

Exit status: 0 ended normally; 1 no display, the window could not be made, or the export
             failed; 2 a wrong command line; 3 the export passed over some hours (missing
             on the server, or damaged pictures).
</translation>
    </message>
    <message>
        <source>时刻“%1”的写法不对，应为 2008-07-18T10 或“2008-07-18 10”（北京时间）</source>
        <translation>The moment &quot;%1&quot; is not written right: 2008-07-18T10 or &quot;2008-07-18 10&quot; (Beijing time)</translation>
    </message>
    <message>
        <source>时刻 %1 不存在，或不在 2006-01-01 00:00 到 2009-12-31 23:00 之间（北京时间）</source>
        <translation>The moment %1 does not exist, or is not between 2006-01-01 00:00 and 2009-12-31 23:00 (Beijing time)</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>未知选项 </source>
        <translation>Unknown option </translation>
    </message>
    <message>
        <source>--lang 只能是 %1</source>
        <translation>--lang takes only %1</translation>
    </message>
    <message>
        <source>--%1 应为 %2 到 %3 之间的整数</source>
        <translation>--%1 takes a whole number from %2 to %3</translation>
    </message>
    <message>
        <source>--loop 应为 %1 小时之一</source>
        <translation>--loop takes one of %1 hours</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>--export 需要 --moment 给出时刻（北京时间），如 2008-07-18T10</source>
        <translation>--export needs --moment with a moment (Beijing time), such as 2008-07-18T10</translation>
    </message>
    <message>
        <source>--size 应为 original、half 或最长边的像素数（至少 16）</source>
        <translation>--size takes original, half or the longest side in pixels (at least 16)</translation>
    </message>
    <message>
        <source>--format 应为 webp、gif、mp4 或 jpg</source>
        <translation>--format takes webp, gif, mp4 or jpg</translation>
    </message>
    <message>
        <source>增强“%1”无法使用：%2</source>
        <translation>The enhancement &quot;%1&quot; cannot be used: %2</translation>
    </message>
    <message>
        <source>没有名为“%1”的增强；可用的有 %2</source>
        <translation>No enhancement is named &quot;%1&quot;; there are %2</translation>
    </message>
    <message>
        <source>Veltaro：导出失败：</source>
        <translation>Veltaro: the export failed: </translation>
    </message>
    <message>
        <source>Veltaro：无法打开显示%1，程序需要图形界面（X11 或 Wayland）
</source>
        <translation>Veltaro: cannot open the display%1; the program needs a graphical desktop (X11 or Wayland)
</translation>
    </message>
    <message>
        <source>（DISPLAY 未设置）</source>
        <translation> (DISPLAY is not set)</translation>
    </message>
    <message>
        <source>（DISPLAY=%1）</source>
        <translation> (DISPLAY=%1)</translation>
    </message>
</context>
<context>
    <name>Design</name>
    <message>
        <source>注：必须接入互联网                时刻为北京时间，选好年月日时后按“显示”</source>
        <translation>Note: needs the Internet.   Beijing time: pick year, month, day, hour, press &quot;Show&quot;</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>时</source>
        <translation>h</translation>
    </message>
    <message>
        <source>日</source>
        <translation>D</translation>
    </message>
    <message>
        <source>月</source>
        <translation>M</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Veltaro查询-数据来自中国风云二号气象卫星</source>
        <translation>Veltaro – pictures from China&apos;s Fengyun-2 weather satellite</translation>
    </message>
</context>
<context>
    <name>DesignedControls</name>
    <message>
        <source>年份</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>月份</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>小时（北京时间）</source>
        <translation>Hour (Beijing time)</translation>
    </message>
    <message>
        <source>水平滚动</source>
        <translation>Scroll across</translation>
    </message>
    <message>
        <source>垂直滚动</source>
        <translation>Scroll up and down</translation>
    </message>
    <message>
        <source>卫星云图</source>
        <translation>Satellite cloud picture</translation>
    </message>
    <message>
        <source>图像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>控件缺失：</source>
        <translation>A control is missing: </translation>
    </message>
</context>
<context>
    <name>Enhancement</name>
    <message>
        <source>原图</source>
        <translation>As is</translation>
    </message>
    <message>
        <source>图像原样显示</source>
        <translation>The picture as it is</translation>
    </message>
    <message>
        <source>反相</source>
        <translation>Inverted</translation>
    </message>
    <message>
        <source>黑白反转</source>
        <translation>Black and white swapped</translation>
    </message>
    <message>
        <source>自动对比度</source>
        <translation>Auto contrast</translation>
    </message>
    <message>
        <source>把图像灰度的第 2 到第 98 百分位拉伸到 0 到 255</source>
        <translation>The picture&apos;s 2nd to 98th percentile of grey levels stretched to 0 to 255</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>鼠标：拖动图像移动它，滚轮上下移动（加 Shift 左右移动，加 Ctrl 缩放），右键打开图像的菜单；方向键、PageUp/PageDown、Home/End 在视区里移动图像。</source>
        <translation>Mouse: drag the picture to move it, the wheel moves it up and down (with Shift across, with Ctrl zooms), the right button opens the picture&apos;s menu; the arrow keys, PageUp/PageDown and Home/End move the picture in the viewport.</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>（按钮）</source>
        <translation>(button)</translation>
    </message>
</context>
<context>
    <name>LoopExport</name>
    <message>
        <source>已取得 %1/%2 幅</source>
        <translation>Fetched %1/%2 pictures</translation>
    </message>
    <message>
        <source>服务器上没有这些时刻的图像（北京时间），已跳过：</source>
        <translation>The server has no picture for these moments (Beijing time), passed over: </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>这些时刻的图像无法使用（北京时间），已跳过：</source>
        <translation>The pictures of these moments could not be used (Beijing time), passed over: </translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message numerus="yes">
        <source>（%n 幅跳过）</source>
        <translation>
            <numerusform> (%n passed over)</numerusform>
            <numerusform> (%n passed over)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，已存 %n 个文件</source>
        <translation>
            <numerusform>, %n file saved</numerusform>
            <numerusform>, %n files saved</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>，已编码 %n 帧</source>
        <translation>
            <numerusform>, %n frame encoded</numerusform>
            <numerusform>, %n frames encoded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已写入 %1（%n 个新文件，%2）</source>
        <translation>
            <numerusform>Written %1 (%n new file, %2)</numerusform>
            <numerusform>Written %1 (%n new files, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已写入 %1（%2，%n 帧）</source>
        <translation>
            <numerusform>Written %1 (%2, %n frame)</numerusform>
            <numerusform>Written %1 (%2, %n frames)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>稍侯〉〉〉</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>无法找到</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>comparison</name>
    <message>
        <source>两幅图像大小不同，无法比较</source>
        <translation>The two pictures differ in size and cannot be compared</translation>
    </message>
    <message>
        <source>内存不足，无法比较两幅图像</source>
        <translation>Not enough memory to compare the two pictures</translation>
    </message>
</context>
<context>
    <name>enhancement</name>
    <message>
        <source>增强表 %1 第 %2 行：%3</source>
        <translation>Enhancement table %1, line %2: %3</translation>
    </message>
    <message>
        <source>无法理解“%1”</source>
        <translation>Cannot make sense of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>灰度范围 %1-%2 不在 0-255 之内或首尾颠倒</source>
        <translation>The grey-level range %1-%2 is not within 0-255 or runs backwards</translation>
    </message>
    <message>
        <source>灰度 %1 超出 0-255</source>
        <translation>The grey level %1 is outside 0-255</translation>
    </message>
    <message>
        <source>“%1”不是颜色（#rrggbb）也不是灰度</source>
        <translation>&quot;%1&quot; is neither a colour (#rrggbb) nor a grey level</translation>
    </message>
    <message>
        <source>灰度 %1 已由前面的行给出</source>
        <translation>The grey level %1 was given by a line before</translation>
    </message>
    <message>
        <source>增强表 %1：%2</source>
        <translation>Enhancement table %1: %2</translation>
    </message>
    <message>
        <source>没有“名称：”一行</source>
        <translation>There is no &quot;name:&quot; line</translation>
    </message>
    <message>
        <source>没有给出任何灰度范围</source>
        <translation>No grey-level range is given</translation>
    </message>
    <message>
        <source>链接指向不存在的文件（或链接成环）</source>
        <translation>The link leads to no file (or round in a circle)</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>This is a folder</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>无法读取增强表 %1：%2</source>
        <translation>Cannot read the enhancement table %1: %2</translation>
    </message>
    <message>
        <source>内存不足，无法增强图像（</source>
        <translation>Not enough memory to enhance the picture (</translation>
    </message>
    <message>
        <source>）</source>
        <translation>)</translation>
    </message>
</context>
<context>
    <name>field</name>
    <message>
        <source>小时</source>
        <translation>hour</translation>
    </message>
    <message>
        <source>日</source>
        <translation>day</translation>
    </message>
    <message>
        <source>月</source>
        <translation>month</translation>
    </message>
    <message>
        <source>年</source>
        <translation>year</translation>
    </message>
</context>
<context>
    <name>gifencoder</name>
    <message>
        <source>无法建立 GIF 编码器：</source>
        <translation>Cannot make the GIF encoder: </translation>
    </message>
    <message>
        <source>GIF 编码失败：</source>
        <translation>GIF encoding failed: </translation>
    </message>
    <message>
        <source>动画的各帧大小不一</source>
        <translation>The animation&apos;s frames differ in size</translation>
    </message>
    <message>
        <source>内存不足，无法编码 GIF 帧</source>
        <translation>Not enough memory to encode the GIF frame</translation>
    </message>
    <message>
        <source>没有可以编码的帧</source>
        <translation>There is no frame to encode</translation>
    </message>
</context>
<context>
    <name>inbetween</name>
    <message>
        <source>内存不足，无法计算插值帧</source>
        <translation>Not enough memory to make the frames in between</translation>
    </message>
    <message>
        <source>两幅图像大小不同，无法计算插值帧</source>
        <translation>The two pictures differ in size; no frames can be made between them</translation>
    </message>
    <message>
        <source>无法计算插值帧：</source>
        <translation>Cannot make the frames in between: </translation>
    </message>
</context>
<context>
    <name>jpegdecoder</name>
    <message>
        <source>JPEG 数据有误：帧头前后不一</source>
        <translation>Wrong JPEG data: the frame headers disagree</translation>
    </message>
    <message>
        <source>JPEG 解码所需内存超过上限</source>
        <translation>Decoding the JPEG would need more memory than allowed</translation>
    </message>
    <message>
        <source>图像不完整：JPEG 的编码数据缺了一段</source>
        <translation>The picture is incomplete: part of the JPEG&apos;s coded data is missing</translation>
    </message>
    <message>
        <source>图像数据损坏：JPEG 的编码数据有误</source>
        <translation>The picture is damaged: the JPEG&apos;s coded data is wrong</translation>
    </message>
    <message>
        <source>不支持这种精度的 JPEG</source>
        <translation>JPEG of this precision is not supported</translation>
    </message>
    <message>
        <source>不支持这种编码方式的 JPEG</source>
        <translation>JPEG coded this way is not supported</translation>
    </message>
    <message>
        <source>JPEG 数据有误：缺少或损坏了编码表</source>
        <translation>Wrong JPEG data: a coding table is missing or damaged</translation>
    </message>
    <message>
        <source>JPEG 数据有误，无法解码</source>
        <translation>Wrong JPEG data; it cannot be decoded</translation>
    </message>
</context>
<context>
    <name>listinteger</name>
    <message>
        <source>未选择%1</source>
        <translation>No %1 chosen</translation>
    </message>
    <message>
        <source>%1“%2”不是数字</source>
        <translation>The %1 &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>%1“%2”超出范围</source>
        <translation>The %1 &quot;%2&quot; is out of range</translation>
    </message>
    <message>
        <source>时刻换算溢出：</source>
        <translation>The moment overflowed while converted: </translation>
    </message>
</context>
<context>
    <name>mp4encoder</name>
    <message>
        <source>MP4 视频无法写入（</source>
        <translation>The MP4 video cannot be written (</translation>
    </message>
    <message>
        <source>）：</source>
        <translation>): </translation>
    </message>
    <message>
        <source>MP4 视频的画面至少要 2 × 2 像素</source>
        <translation>An MP4 video&apos;s frames need at least 2 × 2 pixels</translation>
    </message>
    <message>
        <source>MP4 视频无法写入：临时文件无法建立：</source>
        <translation>The MP4 video cannot be written: no temporary file: </translation>
    </message>
    <message>
        <source>格式</source>
        <translation>format</translation>
    </message>
    <message>
        <source>MP4 视频无法写入：没有 H.264 编码器</source>
        <translation>The MP4 video cannot be written: there is no H.264 encoder</translation>
    </message>
    <message>
        <source>内存不足，MP4 视频无法写入</source>
        <translation>Not enough memory to write the MP4 video</translation>
    </message>
    <message>
        <source>编码器</source>
        <translation>encoder</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>parameters</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>文件头</source>
        <translation>file header</translation>
    </message>
    <message>
        <source>画面</source>
        <translation>frame</translation>
    </message>
    <message>
        <source>MP4 视频无法写入：颜色无法转换</source>
        <translation>The MP4 video cannot be written: the colours cannot be converted</translation>
    </message>
    <message>
        <source>MP4 视频的画面大小不一致</source>
        <translation>The MP4 video&apos;s frames differ in size</translation>
    </message>
    <message>
        <source>编码</source>
        <translation>encoding</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>writing</translation>
    </message>
    <message>
        <source>MP4 视频无法写入：没有画面</source>
        <translation>The MP4 video cannot be written: there are no frames</translation>
    </message>
    <message>
        <source>文件尾</source>
        <translation>file trailer</translation>
    </message>
    <message>
        <source>MP4 视频无法读回：</source>
        <translation>The MP4 video cannot be read back: </translation>
    </message>
</context>
<context>
    <name>networkreason</name>
    <message>
        <source>下载被中止</source>
        <translation>The download was stopped</translation>
    </message>
    <message>
        <source>网络暂时不可用</source>
        <translation>The network is not available for now</translation>
    </message>
    <message>
        <source>重定向次数过多</source>
        <translation>Too many redirections</translation>
    </message>
    <message>
        <source>服务器要求转到不安全的地址</source>
        <translation>The server redirected to an insecure address</translation>
    </message>
    <message>
        <source>代理服务器要求身份验证</source>
        <translation>The proxy asks for authentication</translation>
    </message>
    <message>
        <source>服务器拒绝提供图像</source>
        <translation>The server refused the picture</translation>
    </message>
    <message>
        <source>服务器上没有这幅图像</source>
        <translation>The server does not have this picture</translation>
    </message>
    <message>
        <source>不支持的地址类型</source>
        <translation>Unsupported kind of address</translation>
    </message>
    <message>
        <source>服务器的回答有误</source>
        <translation>The server&apos;s answer is wrong</translation>
    </message>
    <message>
        <source>代理服务器要求身份验证（HTTP 407）</source>
        <translation>The proxy asks for authentication (HTTP 407)</translation>
    </message>
    <message>
        <source>连接被拒绝：%1</source>
        <translation>Connection refused: %1</translation>
    </message>
    <message>
        <source>服务器 %1 提前关闭了连接，或它的回答无法识别</source>
        <translation>The server %1 closed the connection early, or its answer could not be understood</translation>
    </message>
    <message>
        <source>找不到服务器 %1</source>
        <translation>Cannot find the server %1</translation>
    </message>
    <message>
        <source>连接 %1 超时</source>
        <translation>The connection to %1 timed out</translation>
    </message>
    <message>
        <source>与 %1 建立安全连接失败</source>
        <translation>Cannot make a secure connection to %1</translation>
    </message>
    <message>
        <source>代理服务器 %1 拒绝连接</source>
        <translation>The proxy %1 refused the connection</translation>
    </message>
    <message>
        <source>代理服务器 %1 提前关闭了连接，或它的回答无法识别</source>
        <translation>The proxy %1 closed the connection early, or its answer could not be understood</translation>
    </message>
    <message>
        <source>找不到代理服务器 %1</source>
        <translation>Cannot find the proxy %1</translation>
    </message>
    <message>
        <source>代理服务器 %1 超时</source>
        <translation>The proxy %1 timed out</translation>
    </message>
    <message>
        <source>代理服务器 %1 出错</source>
        <translation>The proxy %1 failed</translation>
    </message>
    <message>
        <source>网络错误（%1）</source>
        <translation>Network error (%1)</translation>
    </message>
    <message>
        <source>服务器上没有这幅图像（HTTP %1）</source>
        <translation>The server does not have this picture (HTTP %1)</translation>
    </message>
    <message>
        <source>服务器出错（HTTP %1）</source>
        <translation>The server failed (HTTP %1)</translation>
    </message>
    <message>
        <source>服务器拒绝了请求（HTTP %1）</source>
        <translation>The server refused the request (HTTP %1)</translation>
    </message>
</context>
<context>
    <name>picturedecoder</name>
    <message>
        <source>图像过大：</source>
        <translation>The picture is too large: </translation>
    </message>
    <message>
        <source> 像素超过解码上限 </source>
        <translation> pixels, over the decoding limit of </translation>
    </message>
    <message>
        <source>图像不完整：JPEG 没有结束标记</source>
        <translation>The picture is incomplete: the JPEG has no end marker</translation>
    </message>
    <message>
        <source>JPEG 数据有误：没有图像尺寸</source>
        <translation>Wrong JPEG data: no picture size</translation>
    </message>
    <message>
        <source>不支持 </source>
        <translation>Not supported: </translation>
    </message>
    <message>
        <source> 位精度的 JPEG</source>
        <translation>-bit precision JPEG</translation>
    </message>
    <message>
        <source>JPEG 扫描数过多（</source>
        <translation>Too many JPEG scans (</translation>
    </message>
    <message>
        <source>）</source>
        <translation>)</translation>
    </message>
    <message>
        <source>JPEG 解码代价过高：</source>
        <translation>Decoding the JPEG would cost too much: </translation>
    </message>
    <message>
        <source> 的图像有 </source>
        <translation> picture with </translation>
    </message>
    <message>
        <source> 次扫描</source>
        <translation> scans</translation>
    </message>
    <message>
        <source>图像数据不足：</source>
        <translation>Not enough picture data: </translation>
    </message>
    <message>
        <source> 的图像只有 </source>
        <translation> picture with only </translation>
    </message>
    <message>
        <source> 字节数据</source>
        <translation> bytes of data</translation>
    </message>
    <message>
        <source>不支持的图像格式</source>
        <translation>Unsupported picture format</translation>
    </message>
    <message>
        <source>图像数据有误，无法解码</source>
        <translation>Wrong picture data; it cannot be decoded</translation>
    </message>
    <message>
        <source>读取图像数据出错</source>
        <translation>Error reading the picture data</translation>
    </message>
    <message>
        <source>无法解码图像</source>
        <translation>Cannot decode the picture</translation>
    </message>
    <message>
        <source>内存不足，无法解码 </source>
        <translation>Not enough memory to decode the </translation>
    </message>
    <message>
        <source> 的图像</source>
        <translation> picture</translation>
    </message>
    <message>
        <source>没有图像数据</source>
        <translation>No picture data</translation>
    </message>
    <message>
        <source>不支持的图像格式：</source>
        <translation>Unsupported picture format: </translation>
    </message>
    <message>
        <source>无法识别的数据</source>
        <translation>data not recognised</translation>
    </message>
</context>
<context>
    <name>picturestructure</name>
    <message>
        <source>图像不完整：PNG 没有结束块（IEND）</source>
        <translation>The picture is incomplete: the PNG has no end chunk (IEND)</translation>
    </message>
    <message>
        <source>图像不完整：BMP 头部不全</source>
        <translation>The picture is incomplete: the BMP header is cut short</translation>
    </message>
    <message>
        <source>BMP 数据有误：尺寸或色深不对</source>
        <translation>Wrong BMP data: the size or colour depth is wrong</translation>
    </message>
    <message>
        <source>图像不完整：BMP 像素数据不足（应有 </source>
        <translation>The picture is incomplete: not enough BMP pixel data (</translation>
    </message>
    <message>
        <source> 字节，只有 </source>
        <translation> bytes expected, only </translation>
    </message>
    <message>
        <source> 字节）</source>
        <translation> bytes)</translation>
    </message>
</context>
<context>
    <name>proxysetting</name>
    <message>
        <source>代理设置有误：http_proxy=“%1”</source>
        <translation>Wrong proxy setting: http_proxy=&quot;%1&quot;</translation>
    </message>
    <message>
        <source>（不支持的代理类型 %1）</source>
        <translation> (unsupported kind of proxy %1)</translation>
    </message>
</context>
<context>
    <name>savedfile</name>
    <message>
        <source>无法写入文件（</source>
        <translation>Cannot write the file (</translation>
    </message>
    <message>
        <source>）</source>
        <translation>)</translation>
    </message>
    <message>
        <source>无法保存 </source>
        <translation>Cannot save </translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
</context>
<context>
    <name>stagingfile</name>
    <message>
        <source>不知道用户的主文件夹（HOME 未设置），无法确定缓存文件夹</source>
        <translation>The user&apos;s home folder is unknown (HOME is not set), so there is no cache folder</translation>
    </message>
    <message>
        <source>无法写入 </source>
        <translation>Cannot write </translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>无法写入 temp.jpg：</source>
        <translation>Cannot write temp.jpg: </translation>
    </message>
    <message>
        <source>没有可以写入的文件夹</source>
        <translation>there is no folder to write in</translation>
    </message>
</context>
<context>
    <name>systemerror</name>
    <message>
        <source>磁盘已满</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>the disk quota is exceeded</translation>
    </message>
    <message>
        <source>文件超过系统允许的大小</source>
        <translation>the file is larger than the system allows</translation>
    </message>
    <message>
        <source>没有写入权限</source>
        <translation>no permission to write</translation>
    </message>
    <message>
        <source>文件系统只读</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>文件正被占用</source>
        <translation>the file is busy</translation>
    </message>
    <message>
        <source>文件夹不存在</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>同名的是一个文件夹</source>
        <translation>a folder has that name</translation>
    </message>
    <message>
        <source>符号链接层数过多或成环</source>
        <translation>too many symbolic links, or a circle of them</translation>
    </message>
    <message>
        <source>路径过长</source>
        <translation>the path is too long</translation>
    </message>
    <message>
        <source>不能跨文件系统改名</source>
        <translation>cannot rename across file systems</translation>
    </message>
    <message>
        <source>链接数过多</source>
        <translation>too many links</translation>
    </message>
    <message>
        <source>读写设备出错</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>网络文件系统的文件已失效</source>
        <translation>stale network file system file</translation>
    </message>
    <message>
        <source>操作被中断</source>
        <translation>the operation was interrupted</translation>
    </message>
    <message>
        <source>资源暂时不可用</source>
        <translation>the resource is not available for now</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>打开的文件过多</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>文件系统不支持此操作</source>
        <translation>the file system does not support this</translation>
    </message>
    <message>
        <source>内部错误：地址无效</source>
        <translation>internal error: bad address</translation>
    </message>
    <message>
        <source>内部错误：文件句柄无效</source>
        <translation>internal error: bad file handle</translation>
    </message>
    <message>
        <source>系统错误 </source>
        <translation>system error </translation>
    </message>
</context>
<context>
    <name>transfer</name>
    <message>
        <source>服务器要求转到别处（HTTP </source>
        <translation>The server redirected (HTTP </translation>
    </message>
    <message>
        <source>），却没有给出目标地址</source>
        <translation>) without saying where to</translation>
    </message>
    <message>
        <source>服务器只发来了临时回答（HTTP </source>
        <translation>The server sent only an interim answer (HTTP </translation>
    </message>
    <message>
        <source>），没有图像</source>
        <translation>), no picture</translation>
    </message>
    <message>
        <source>服务器的回答有误：Content-Length 为“</source>
        <translation>The server&apos;s answer is wrong: Content-Length is &quot;</translation>
    </message>
    <message>
        <source>”</source>
        <translation>&quot;</translation>
    </message>
    <message>
        <source>服务器没有返回内容</source>
        <translation>The server returned nothing</translation>
    </message>
    <message>
        <source>图像超过 </source>
        <translation>The picture is larger than </translation>
    </message>
    <message>
        <source>内容不完整：收到 </source>
        <translation>Incomplete content: received </translation>
    </message>
    <message>
        <source> 字节，应为 </source>
        <translation> bytes, expected </translation>
    </message>
    <message>
        <source> 字节</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source>地址无效：</source>
        <translation>Bad address: </translation>
    </message>
    <message>
        <source>另一个回答有误，连接已全部断开；请再试一次</source>
        <translation>Another answer was wrong and every connection was closed; please try again</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>图像过大：</source>
        <translation>The picture is too large: </translation>
    </message>
    <message>
        <source> 字节，上限 </source>
        <translation> bytes, the limit is </translation>
    </message>
    <message>
        <source>下载超时（%1 秒）</source>
        <translation>The download timed out (%1 seconds)</translation>
    </message>
    <message>
        <source>服务器说图像没有变化（HTTP 304），却没有保存的副本</source>
        <translation>The server says the picture has not changed (HTTP 304), but no copy is kept</translation>
    </message>
</context>
<context>
    <name>transferrequest</name>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>twips</name>
    <message>
        <source>没有可用的屏幕</source>
        <translation>There is no screen to use</translation>
    </message>
</context>
<context>
    <name>veltaro::AdjustDialog</name>
    <message>
        <source>调整亮度、对比度和伽马</source>
        <translation>Adjust brightness, contrast and gamma</translation>
    </message>
    <message>
        <source>亮度</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>对比度</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>伽马</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>复原</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>veltaro::CompareMomentDialog</name>
    <message>
        <source>跟随 A，相差</source>
        <translation>Following A, before it by</translation>
    </message>
    <message>
        <source>固定于（北京时间）</source>
        <translation>Fixed at (Beijing time)</translation>
    </message>
    <message>
        <source>比较时刻</source>
        <translation>Compare with</translation>
    </message>
    <message>
        <source>B 与 A 相差的小时数</source>
        <translation>Hours B lies before A</translation>
    </message>
    <message>
        <source>B 的时刻（北京时间）</source>
        <translation>B&apos;s moment (Beijing time)</translation>
    </message>
    <message numerus="yes">
        <source>%n 小时</source>
        <translation>
            <numerusform>%n hour</numerusform>
            <numerusform>%n hours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltaro::Comparer</name>
    <message>
        <source>北京时间 </source>
        <translation>Beijing time </translation>
    </message>
    <message>
        <source>B（%1）不在可选的时间范围内</source>
        <translation>B (%1) is outside the moments that can be chosen</translation>
    </message>
    <message>
        <source>B：服务器上没有%1的图像</source>
        <translation>B: the server has no picture for %1</translation>
    </message>
    <message>
        <source>B：</source>
        <translation>B: </translation>
    </message>
    <message>
        <source>B：%1的图像无法解码</source>
        <translation>B: the picture of %1 cannot be decoded</translation>
    </message>
    <message>
        <source>像素 (%1, %2) · A 灰度 %3 · B 灰度 %4</source>
        <translation>Pixel (%1, %2) · A grey %3 · B grey %4</translation>
    </message>
    <message>
        <source>（显示 B）</source>
        <translation> (showing B)</translation>
    </message>
    <message>
        <source>（显示 A）</source>
        <translation> (showing A)</translation>
    </message>
    <message>
        <source>差值 B − A（灰度）：128 为不变，向蓝 B 较亮，向红 B 较暗</source>
        <translation>Difference B − A (grey levels): 128 unchanged, towards blue B is brighter, towards red darker</translation>
    </message>
</context>
<context>
    <name>veltaro::DisplayCommand</name>
    <message>
        <source>已下载 </source>
        <translation>Downloaded </translation>
    </message>
    <message>
        <source>网络不通：显示的是 %1 取得的副本</source>
        <translation>No network: showing the copy fetched at %1</translation>
    </message>
    <message>
        <source>网络不通：显示的是保存的副本</source>
        <translation>No network: showing the kept copy</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>veltaro::Enhancer</name>
    <message>
        <source>无法保存设置到 %1%2</source>
        <translation>Cannot save the settings to %1%2</translation>
    </message>
    <message>
        <source>：没有写入的权限</source>
        <translation>: no permission to write</translation>
    </message>
    <message>
        <source>：文件格式有误</source>
        <translation>: the file&apos;s format is wrong</translation>
    </message>
    <message numerus="yes">
        <source>……另有 %n 个</source>
        <translation>
            <numerusform>…and %n more</numerusform>
            <numerusform>…and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个增强表无法使用，已跳过：
</source>
        <translation>
            <numerusform>%n enhancement table cannot be used and was passed over:
</numerusform>
            <numerusform>%n enhancement tables cannot be used and were passed over:
</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltaro::ExportController</name>
    <message>
        <source>导出动画</source>
        <translation>Export animation</translation>
    </message>
    <message>
        <source>请先在四个列表中选好时刻。</source>
        <translation>First pick a moment in the four lists.</translation>
    </message>
    <message>
        <source>导出到文件夹</source>
        <translation>Export to a folder</translation>
    </message>
    <message>
        <source>正在导出…</source>
        <translation>Exporting…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation>The export failed: </translation>
    </message>
</context>
<context>
    <name>veltaro::ExportDialog</name>
    <message>
        <source>无损</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>往返</source>
        <translation>Back and forth</translation>
    </message>
    <message>
        <source>在每帧左下角写上时刻</source>
        <translation>Write the moment at each frame&apos;s bottom left</translation>
    </message>
    <message>
        <source>导出动画</source>
        <translation>Export animation</translation>
    </message>
    <message>
        <source>每小时一幅</source>
        <translation>A picture every hour</translation>
    </message>
    <message>
        <source>JPEG 原图（文件夹，按时刻命名）</source>
        <translation>Original JPEG files (a folder, named by moment)</translation>
    </message>
    <message>
        <source>不插值</source>
        <translation>No frames in between</translation>
    </message>
    <message>
        <source> 幅/秒</source>
        <translation> pictures/s</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>一半</source>
        <translation>Half</translation>
    </message>
    <message>
        <source>最长边 1024</source>
        <translation>Longest side 1024</translation>
    </message>
    <message>
        <source>最长边 720</source>
        <translation>Longest side 720</translation>
    </message>
    <message>
        <source>范围</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>间隔</source>
        <translation>Every</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>质量</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>平滑</source>
        <translation>Smooth</translation>
    </message>
    <message>
        <source>末帧停留</source>
        <translation>Rest on the last frame</translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>增强</source>
        <translation>Enhancement</translation>
    </message>
    <message>
        <source>导出…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>_%1小时</source>
        <translation>_%1h</translation>
    </message>
    <message numerus="yes">
        <source>正在播放的循环（%n 小时）</source>
        <translation>
            <numerusform>The loop playing (%n hour)</numerusform>
            <numerusform>The loop playing (%n hours)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>到所选时刻为止的 %n 小时</source>
        <translation>
            <numerusform>The %n hour up to the chosen moment</numerusform>
            <numerusform>The %n hours up to the chosen moment</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>每 %n 小时一幅</source>
        <translation>
            <numerusform>A picture every %n hour</numerusform>
            <numerusform>A picture every %n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>每小时 %1 步（插 %n 帧，标为“插值”）</source>
        <translation>
            <numerusform>%1 steps an hour (%n frame made, marked &quot;interpolated&quot;)</numerusform>
            <numerusform>%1 steps an hour (%n frames made, marked &quot;interpolated&quot;)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltaro::Formmain</name>
    <message>
        <source> · 插值</source>
        <translation> · interpolated</translation>
    </message>
</context>
<context>
    <name>veltaro::FrameStrip</name>
    <message>
        <source>时间轴</source>
        <translation>Time line</translation>
    </message>
    <message>
        <source>尚未取得</source>
        <translation>not fetched yet</translation>
    </message>
    <message>
        <source>已保存</source>
        <translation>kept</translation>
    </message>
    <message>
        <source>服务器上没有图像</source>
        <translation>missing on the server</translation>
    </message>
    <message>
        <source>正在取得</source>
        <translation>being fetched</translation>
    </message>
    <message>
        <source>北京时间 %1 · %2</source>
        <translation>Beijing time %1 · %2</translation>
    </message>
    <message>
        <source> · 正在显示</source>
        <translation> · shown</translation>
    </message>
    <message>
        <source>深灰：已保存 · 半填：正在取得 · 空框：尚未取得 · 红叉：服务器上没有 · 高亮：正在显示
单击或拖动显示某一小时；有焦点时用方向键</source>
        <translation>Dark: kept · half filled: being fetched · outline: not fetched yet · red cross: missing on the server · highlight: shown
Click or drag to show an hour; the arrow keys when it has the focus</translation>
    </message>
    <message>
        <source>；无图像：</source>
        <translation>; no picture: </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>显示 %1，共 %n 小时</source>
        <translation>
            <numerusform>Showing %1, %n hour in all</numerusform>
            <numerusform>Showing %1, %n hours in all</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共 %n 小时</source>
        <translation>
            <numerusform>%n hour in all</numerusform>
            <numerusform>%n hours in all</numerusform>
        </translation>
    </message>
    <message>
        <source>%1日</source>
        <comment>a day of the month on the time line</comment>
        <translation>day %1</translation>
    </message>
</context>
<context>
    <name>veltaro::HelpWindow</name>
    <message>
        <source>Veltaro 帮助</source>
        <translation>Veltaro help</translation>
    </message>
    <message>
        <source>按键</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>作用</source>
        <translation>What it does</translation>
    </message>
    <message>
        <source>命令和按键</source>
        <translation>Commands and keys</translation>
    </message>
    <message>
        <source>（按钮）</source>
        <translation>(button)</translation>
    </message>
    <message>
        <source>面板上的按钮与这些命令相同。速度、往返、末帧停留、循环时长和“适应窗口”在下次启动时沿用；循环在另选时刻或时长之前保持同一段小时。</source>
        <translation> The panel&apos;s buttons are these commands. The speed, back and forth, the rest on the last frame, the loop&apos;s span and &quot;Fit to window&quot; last to the next start; a loop keeps its hours until another moment or span is chosen.</translation>
    </message>
</context>
<context>
    <name>veltaro::InstrumentPanel</name>
    <message>
        <source>所显示的时刻</source>
        <translation>The moment shown</translation>
    </message>
    <message>
        <source>循环的时长</source>
        <translation>The loop&apos;s span</translation>
    </message>
    <message>
        <source>循环播放到所选时刻为止的几小时</source>
        <translation>How many hours up to the chosen moment a loop plays</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>Span</translation>
    </message>
    <message>
        <source>播放速度</source>
        <translation>Playing speed</translation>
    </message>
    <message>
        <source>10 幅/秒 </source>
        <translation>10 pictures/s </translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>末帧停留</source>
        <translation>Rest on the last frame</translation>
    </message>
    <message>
        <source>循环播放时最后一幅停留的时间</source>
        <translation>How long a loop rests on its last picture</translation>
    </message>
    <message>
        <source>增强</source>
        <translation>Enhancement</translation>
    </message>
    <message>
        <source>缩放</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>适应窗口 100 % </source>
        <translation>Fit to window 100 % </translation>
    </message>
    <message>
        <source>指针处的像素</source>
        <translation>The pixel under the pointer</translation>
    </message>
    <message>
        <source>像素 (8888, 8888) · 灰度 888</source>
        <translation>Pixel (8888, 8888) · grey 888</translation>
    </message>
    <message>
        <source>比较方式</source>
        <translation>Way of comparing</translation>
    </message>
    <message>
        <source>分界线 / 不透明度</source>
        <translation>Divider / opacity</translation>
    </message>
    <message>
        <source>卷帘：分界线的位置；渐变：B 的不透明度</source>
        <translation>Swipe: where the divider is; fade: B&apos;s opacity</translation>
    </message>
    <message>
        <source>方式</source>
        <translation>Way</translation>
    </message>
    <message>
        <source>每小时 %1 步</source>
        <translation>%1 steps an hour</translation>
    </message>
    <message>
        <source>平滑播放的细分</source>
        <translation>Steps of smooth playing</translation>
    </message>
    <message>
        <source>相邻两个整点之间插出几步：2 步插 1 幅，4 步插 3 幅</source>
        <translation>How many steps between two neighbouring hours: 2 steps make 1 frame, 4 steps make 3</translation>
    </message>
    <message>
        <source>不跨缺图</source>
        <translation>Not across missing hours</translation>
    </message>
    <message>
        <source>平滑播放跨越的最长空缺</source>
        <translation>Longest gap smooth playing fills</translation>
    </message>
    <message>
        <source>缺图时按实际时间在前后两幅之间插值，两幅至多相隔几小时；更长则跳过</source>
        <translation>Where hours are missing, frames are made by real time between the pictures either side, at most this many hours apart; a longer gap is jumped</translation>
    </message>
    <message>
        <source>播放状态</source>
        <translation>Playing state</translation>
    </message>
    <message>
        <source>循环 07-17 11:00 – 07-18 10:00，48 小时（已暂停）</source>
        <translation>Loop 07-17 11:00 – 07-18 10:00, 48 hours (paused)</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>尚未显示图像</source>
        <translation>No picture shown yet</translation>
    </message>
    <message>
        <source>北京时间 \d{4}-</source>
        <translation>Beijing time \d{4}-</translation>
    </message>
    <message>
        <source>未在比较</source>
        <translation>Not comparing</translation>
    </message>
    <message>
        <source>未在播放</source>
        <translation>Not playing</translation>
    </message>
    <message>
        <source>适应窗口 %1 %</source>
        <translation>Fit to window %1 %</translation>
    </message>
    <message numerus="yes">
        <source>%n 小时</source>
        <translation>
            <numerusform>%n hour</numerusform>
            <numerusform>%n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>跨缺图至多 %n 小时</source>
        <translation>
            <numerusform>Across missing hours up to %n hour</numerusform>
            <numerusform>Across missing hours up to %n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 幅/秒</source>
        <translation>
            <numerusform>%n picture/s</numerusform>
            <numerusform>%n pictures/s</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltaro::LanguageMenu</name>
    <message>
        <source>下次启动时界面将用英文（English）</source>
        <translation>The interface will be in English from the next start</translation>
    </message>
    <message>
        <source>下次启动时界面将用中文</source>
        <translation>The interface will be in Chinese from the next start</translation>
    </message>
</context>
<context>
    <name>veltaro::LegendBar</name>
    <message>
        <source>色标</source>
        <translation>Colour bar</translation>
    </message>
</context>
<context>
    <name>veltaro::LoopExport</name>
    <message>
        <source>无法建立文件夹 </source>
        <translation>Cannot make the folder </translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>网络不通：</source>
        <translation>No network: </translation>
    </message>
    <message>
        <source>（</source>
        <translation> (</translation>
    </message>
    <message>
        <source>）</source>
        <translation>)</translation>
    </message>
    <message>
        <source>北京时间 </source>
        <translation>Beijing time </translation>
    </message>
    <message>
        <source>北京时间 %1 · 插值</source>
        <translation>Beijing time %1 · interpolated</translation>
    </message>
    <message>
        <source>没有一幅图像可以导出</source>
        <translation>There is not one picture to export</translation>
    </message>
</context>
<context>
    <name>veltaro::PanelBinding</name>
    <message>
        <source>（已暂停）</source>
        <translation> (paused)</translation>
    </message>
    <message>
        <source>正在播放</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>北京时间 %1 · UTC %2:00</source>
        <translation>Beijing time %1 · UTC %2:00</translation>
    </message>
    <message>
        <source>北京时间 2008-</source>
        <translation>Beijing time 2008-</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source> · 北京时间 %1 无图像</source>
        <translation> · no picture for Beijing time %1</translation>
    </message>
    <message>
        <source> · %1 无图像</source>
        <translation> · no picture for %1</translation>
    </message>
    <message numerus="yes">
        <source>循环 %1 – %2，%n 小时</source>
        <translation>
            <numerusform>Loop %1 – %2, %n hour</numerusform>
            <numerusform>Loop %1 – %2, %n hours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltaro::PictureKeeper</name>
    <message>
        <source>另存为</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>JPEG 图像 (*.jpg *.jpeg)</source>
        <translation>JPEG pictures (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG pictures (*.png)</translation>
    </message>
    <message>
        <source>北京时间 %1 · UTC %2 · %3 · %4 × %5</source>
        <translation>Beijing time %1 · UTC %2 · %3 · %4 × %5</translation>
    </message>
    <message>
        <source>适应窗口 %1 %</source>
        <translation>Fit to window %1 %</translation>
    </message>
    <message>
        <source> · 比较 </source>
        <translation> · comparing </translation>
    </message>
    <message>
        <source>这一帧是两个整点之间插出来的，没有下载的原样字节；可以用“另存为所见图像…”保存所见的这一帧</source>
        <translation>This frame was made between two hours and has no downloaded bytes; &quot;Save as seen…&quot; saves it as it is seen</translation>
    </message>
    <message>
        <source>-所见.png</source>
        <translation>-seen.png</translation>
    </message>
    <message>
        <source>无法把图像编码为 PNG</source>
        <translation>Cannot encode the picture as PNG</translation>
    </message>
    <message>
        <source>另存为所见图像</source>
        <translation>Save as seen</translation>
    </message>
</context>
<context>
    <name>veltaro::Player</name>
    <message>
        <source>网络不通，已停止播放：</source>
        <translation>No network, playing stopped: </translation>
    </message>
    <message>
        <source>跳过了无法显示的时刻（北京时间）：</source>
        <translation>Passed over the moments that could not be shown (Beijing time): </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>veltaro::PlayerSettings</name>
    <message>
        <source>无法保存设置到 %1</source>
        <translation>Cannot save the settings to %1</translation>
    </message>
</context>
<context>
    <name>veltaro::ShownPicture</name>
    <message>
        <source>像素 (%1, %2) · 灰度 %3</source>
        <translation>Pixel (%1, %2) · grey %3</translation>
    </message>
</context>
<context>
    <name>veltaro::StatusLine</name>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>没有可说明的原因</source>
        <translation>Nothing to explain</translation>
    </message>
    <message>
        <source>
指针处：</source>
        <translation>
Under the pointer: </translation>
    </message>
</context>
<context>
    <name>veltaro::Viewport</name>
    <message>
        <source>图像尺寸超出滚动范围</source>
        <translation>The picture is larger than the scroll bars can reach</translation>
    </message>
</context>
<context>
    <name>veltaro::WindowCommands</name>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source> · 指针处：</source>
        <translation> · under the pointer: </translation>
    </message>
</context>
<context>
    <name>webpencoder</name>
    <message>
        <source>WebP 编码器版本不符</source>
        <translation>The WebP encoder&apos;s version does not match</translation>
    </message>
    <message>
        <source>无法建立 WebP 动画编码器</source>
        <translation>Cannot make the animated WebP encoder</translation>
    </message>
    <message>
        <source>动画的各帧大小不一</source>
        <translation>The animation&apos;s frames differ in size</translation>
    </message>
    <message>
        <source>内存不足，无法编码 WebP 帧</source>
        <translation>Not enough memory to encode the WebP frame</translation>
    </message>
    <message>
        <source>WebP 编码失败：</source>
        <translation>WebP encoding failed: </translation>
    </message>
    <message>
        <source>没有可以编码的帧</source>
        <translation>There is no frame to encode</translation>
    </message>
</context>
</TS>
