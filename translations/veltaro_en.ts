<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AnimationFormat</name>
    <message>
        <source>WebP 动画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GIF 动画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频（H.264）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示所选时刻（北京时间）的云图，总是向服务器询问</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>后一小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示后一小时的云图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前一小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示前一小时的云图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>后一天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示后一天同一小时的云图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前一天</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示前一天同一小时的云图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放 / 暂停：从所选时刻起一小时一幅向后播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环播放到所选时刻为止的几小时（默认 24 小时）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>往返</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环播放时来回往返，而不是回到开头重来（开关）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加快播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放加快（每秒 1 到 10 幅，默认 4 幅）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>减慢播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放减慢</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放大（1.25 倍一级，最大 8 倍；Ctrl+滚轮以指针为中心）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩小，最小到整幅图像可见</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>适应窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>整幅图像都在视区内，之后的图像也一样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一个图像像素对一个屏幕像素</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全屏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全屏 / 退出全屏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消正在进行的下载（及它所属的播放）；否则停止播放；否则退出全屏</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一种增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换用下一种增强：原图、反相、自动对比度、各色彩表（按灰度，非定标温度）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一种增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换用上一种增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>调整亮度…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在任何增强之上调整亮度、对比度和伽马，可复原</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制所见的图像（含增强）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把所显示图像下载时的原样字节存为文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为所见图像…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把屏幕上所见的图像（含增强）存为 PNG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出动画…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把正在播放的循环或所选时刻前的几小时导出为 WebP、GIF 动画、MP4 视频或 JPEG 原图文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较所显示的时刻（A）和另一个时刻（B，默认前一天同一小时）：开 / 关</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时刻…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选定 B：相对 A 的小时数（跟随 A），或固定的时刻（北京时间）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>交换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>交换 A 和 B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>闪烁</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时 A、B 轮流显示，按播放速度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>卷帘</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时分界线左边 A、右边 B；拖动或 Alt+方向键移动分界线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>渐变</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时 B 以一定不透明度叠在 A 上（0–100 %）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>差值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时显示 B − A 的灰度差：蓝为 B 较亮，红为 B 较暗，白为不变（灰度，非温度）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>并排</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时 A、B 左右并排（窗口较高时上下排列）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>多显示 B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>卷帘时分界线左移，渐变时 B 更不透明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>多显示 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>卷帘时分界线右移，渐变时 B 更透明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平滑播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放时在相邻两个整点之间用光流插出 1 到 3 幅过渡帧（标为“插值”）：开 / 关</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>说明状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在状态栏旁说明：“无法找到”的原因、下载进度或所显示的图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列出全部命令和按键</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结束程序</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时刻“%1”的写法不对，应为 2008-07-18T10 或“2008-07-18 10”（北京时间）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时刻 %1 不存在，或不在 2006-01-01 00:00 到 2009-12-31 23:00 之间（北京时间）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知选项 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--lang 只能是 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 应为 %2 到 %3 之间的整数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--loop 应为 %1 小时之一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--export 需要 --moment 给出时刻（北京时间），如 2008-07-18T10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--size 应为 original、half 或最长边的像素数（至少 16）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--format 应为 webp、gif、mp4 或 jpg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>增强“%1”无法使用：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有名为“%1”的增强；可用的有 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veltaro：导出失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veltaro：无法打开显示%1，程序需要图形界面（X11 或 Wayland）
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（DISPLAY 未设置）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（DISPLAY=%1）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Design</name>
    <message>
        <source>注：必须接入互联网                时刻为北京时间，选好年月日时后按“显示”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>年</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veltaro查询-数据来自中国风云二号气象卫星</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesignedControls</name>
    <message>
        <source>年份</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>月份</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>小时（北京时间）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>水平滚动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>垂直滚动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>卫星云图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>控件缺失：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Enhancement</name>
    <message>
        <source>原图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像原样显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反相</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑白反转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自动对比度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把图像灰度的第 2 到第 98 百分位拉伸到 0 到 255</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>鼠标：拖动图像移动它，滚轮上下移动（加 Shift 左右移动，加 Ctrl 缩放），右键打开图像的菜单；方向键、PageUp/PageDown、Home/End 在视区里移动图像。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（按钮）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoopExport</name>
    <message>
        <source>已取得 %1/%2 幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（%1 幅跳过）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，已存 %1 个文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，已编码 %1 帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已写入 %1（%2 个新文件，%3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已写入 %1（%2，%3 帧）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器上没有这些时刻的图像（北京时间），已跳过：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这些时刻的图像无法使用（北京时间），已跳过：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>稍侯〉〉〉</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法找到</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>comparison</name>
    <message>
        <source>两幅图像大小不同，无法比较</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足，无法比较两幅图像</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>enhancement</name>
    <message>
        <source>增强表 %1 第 %2 行：%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法理解“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>灰度范围 %1-%2 不在 0-255 之内或首尾颠倒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>灰度 %1 超出 0-255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”不是颜色（#rrggbb）也不是灰度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>灰度 %1 已由前面的行给出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>增强表 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有“名称：”一行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有给出任何灰度范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>链接指向不存在的文件（或链接成环）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取增强表 %1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足，无法增强图像（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>field</name>
    <message>
        <source>小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>月</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>年</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gifencoder</name>
    <message>
        <source>无法建立 GIF 编码器：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GIF 编码失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>动画的各帧大小不一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足，无法编码 GIF 帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可以编码的帧</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>inbetween</name>
    <message>
        <source>内存不足，无法计算插值帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>两幅图像大小不同，无法计算插值帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法计算插值帧：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>jpegdecoder</name>
    <message>
        <source>JPEG 数据有误：帧头前后不一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 解码所需内存超过上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像不完整：JPEG 的编码数据缺了一段</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像数据损坏：JPEG 的编码数据有误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持这种精度的 JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持这种编码方式的 JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 数据有误：缺少或损坏了编码表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 数据有误，无法解码</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>listinteger</name>
    <message>
        <source>未选择%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1“%2”不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1“%2”超出范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时刻换算溢出：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>mp4encoder</name>
    <message>
        <source>MP4 视频无法写入（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频的画面至少要 2 × 2 像素</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频无法写入：临时文件无法建立：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频无法写入：没有 H.264 编码器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足，MP4 视频无法写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编码器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>参数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件头</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>画面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频无法写入：颜色无法转换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频的画面大小不一致</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频无法写入：没有画面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件尾</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP4 视频无法读回：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>networkreason</name>
    <message>
        <source>连接被拒绝：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 提前关闭了连接，或它的回答无法识别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到服务器 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连接 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 超时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载被中止</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>与 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 建立安全连接失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络暂时不可用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重定向次数过多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器要求转到不安全的地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>代理服务器 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 拒绝连接</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到代理服务器 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>代理服务器要求身份验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 出错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器拒绝提供图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器上没有这幅图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持的地址类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器的回答有误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络错误（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>代理服务器要求身份验证（HTTP 407）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器上没有这幅图像（HTTP </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器出错（HTTP </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器拒绝了请求（HTTP </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>picturedecoder</name>
    <message>
        <source>图像过大：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 像素超过解码上限 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像不完整：JPEG 没有结束标记</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 数据有误：没有图像尺寸</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 位精度的 JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 扫描数过多（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 解码代价过高：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 的图像有 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 次扫描</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像数据不足：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 的图像只有 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字节数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持的图像格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像数据有误，无法解码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取图像数据出错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法解码图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足，无法解码 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 的图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有图像数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持的图像格式：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法识别的数据</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>picturestructure</name>
    <message>
        <source>图像不完整：PNG 没有结束块（IEND）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像不完整：BMP 头部不全</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMP 数据有误：尺寸或色深不对</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像不完整：BMP 像素数据不足（应有 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字节，只有 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字节）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>proxysetting</name>
    <message>
        <source>代理设置有误：http_proxy=“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（不支持的代理类型 %1）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>savedfile</name>
    <message>
        <source>无法写入文件（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>stagingfile</name>
    <message>
        <source>不知道用户的主文件夹（HOME 未设置），无法确定缓存文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入 temp.jpg：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可以写入的文件夹</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>systemerror</name>
    <message>
        <source>磁盘已满</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件超过系统允许的大小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有写入权限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件系统只读</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件正被占用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件夹不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同名的是一个文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>符号链接层数过多或成环</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>路径过长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能跨文件系统改名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>链接数过多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读写设备出错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络文件系统的文件已失效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>操作被中断</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>资源暂时不可用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开的文件过多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件系统不支持此操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内部错误：地址无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内部错误：文件句柄无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统错误 </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>transfer</name>
    <message>
        <source>服务器要求转到别处（HTTP </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>），却没有给出目标地址</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器只发来了临时回答（HTTP </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>），没有图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器的回答有误：Content-Length 为“</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器没有返回内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像超过 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内容不完整：收到 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字节，应为 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字节</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>地址无效：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另一个回答有误，连接已全部断开；请再试一次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像过大：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字节，上限 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下载超时（%1 秒）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器说图像没有变化（HTTP 304），却没有保存的副本</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>transferrequest</name>
    <message>
        <source>已取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>twips</name>
    <message>
        <source>没有可用的屏幕</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::AdjustDialog</name>
    <message>
        <source>调整亮度、对比度和伽马</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>亮度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对比度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>伽马</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复原</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::CompareMomentDialog</name>
    <message>
        <source>跟随 A，相差</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>固定于（北京时间）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较时刻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B 与 A 相差的小时数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B 的时刻（北京时间）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::Comparer</name>
    <message>
        <source>北京时间 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B（%1）不在可选的时间范围内</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B：服务器上没有%1的图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B：%1的图像无法解码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>像素 (%1, %2) · A 灰度 %3 · B 灰度 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（显示 B）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（显示 A）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>差值 B − A（灰度）：128 为不变，向蓝 B 较亮，向红 B 较暗</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::DisplayCommand</name>
    <message>
        <source>已下载 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络不通：显示的是 %1 取得的副本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络不通：显示的是保存的副本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::Enhancer</name>
    <message>
        <source>……另有 %1 个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 个增强表无法使用，已跳过：
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>\s%1\.table[\s：]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存设置到 %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：没有写入的权限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：文件格式有误</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::ExportController</name>
    <message>
        <source>导出动画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先在四个列表中选好时刻。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出到文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在导出…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::ExportDialog</name>
    <message>
        <source>无损</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>往返</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在每帧左下角写上时刻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出动画</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在播放的循环（%1 小时）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>到所选时刻为止的 %1 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每小时一幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每 %1 小时一幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 原图（文件夹，按时刻命名）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不插值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每小时 %1 步（插 %2 帧，标为“插值”）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 幅/秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原始大小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一半</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最长边 1024</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最长边 720</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>间隔</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>格式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>速度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平滑</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>末帧停留</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>_%1小时</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::Formmain</name>
    <message>
        <source> · 插值</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::FrameStrip</name>
    <message>
        <source>时间轴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>18日 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚未取得</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>服务器上没有图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在取得</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 %1 · %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · 正在显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>深灰：已保存 · 半填：正在取得 · 空框：尚未取得 · 红叉：服务器上没有 · 高亮：正在显示
单击或拖动显示某一小时；有焦点时用方向键</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示 %1，共 %2 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共 %1 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；无图像：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::HelpWindow</name>
    <message>
        <source>Veltaro 帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按键</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>作用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令和按键</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（按钮）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>面板上的按钮与这些命令相同。速度、往返、末帧停留、循环时长和“适应窗口”在下次启动时沿用；循环在另选时刻或时长之前保持同一段小时。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::InstrumentPanel</name>
    <message>
        <source>所显示的时刻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环的时长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环播放到所选时刻为止的几小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放速度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 幅/秒 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 秒</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>末帧停留</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环播放时最后一幅停留的时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>增强</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>适应窗口 100 % </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指针处的像素</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>像素 (8888, 8888) · 灰度 888</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较方式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分界线 / 不透明度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>卷帘：分界线的位置；渐变：B 的不透明度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每小时 %1 步</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平滑播放的细分</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相邻两个整点之间插出几步：2 步插 1 幅，4 步插 3 幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不跨缺图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跨缺图至多 %1 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平滑播放跨越的最长空缺</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺图时按实际时间在前后两幅之间插值，两幅至多相隔几小时；更长则跳过</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>循环 07-17 11:00 – 07-18 10:00，48 小时（已暂停）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比较</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚未显示图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 \d{4}-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未在比较</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未在播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>适应窗口 %1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 幅/秒</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::LegendBar</name>
    <message>
        <source>色标</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::LoopExport</name>
    <message>
        <source>无法建立文件夹 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>网络不通：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 %1 · 插值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有一幅图像可以导出</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::PanelBinding</name>
    <message>
        <source>循环 %1 – %2，%3 小时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（已暂停）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 %1 · UTC %2:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 2008-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · 北京时间 %1 无图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · %1 无图像</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::PictureKeeper</name>
    <message>
        <source>另存为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG 图像 (*.jpg *.jpeg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>北京时间 %1 · UTC %2 · %3 · %4 × %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>适应窗口 %1 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · 比较 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这一帧是两个整点之间插出来的，没有下载的原样字节；可以用“另存为所见图像…”保存所见的这一帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-所见.png</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法把图像编码为 PNG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为所见图像</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::Player</name>
    <message>
        <source>网络不通，已停止播放：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳过了无法显示的时刻（北京时间）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::PlayerSettings</name>
    <message>
        <source>无法保存设置到 %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::ShownPicture</name>
    <message>
        <source>像素 (%1, %2) · 灰度 %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::Smoother</name>
    <message>
        <source>北京时间 %1 · 插值</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::StatusLine</name>
    <message>
        <source>状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可说明的原因</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
指针处：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::Viewport</name>
    <message>
        <source>图像尺寸超出滚动范围</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>veltaro::WindowCommands</name>
    <message>
        <source>暂停</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>播放</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · 指针处：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>webpencoder</name>
    <message>
        <source>WebP 编码器版本不符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法建立 WebP 动画编码器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>动画的各帧大小不一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足，无法编码 WebP 帧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WebP 编码失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可以编码的帧</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
