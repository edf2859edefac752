#pragma once

// The main window's design: every control with its kind, caption, design geometry (twips) and
// tab index, in the order the design lists them. The window builds itself from this table;
// Form_Load then moves and stretches the controls for the screen.

#include <QtGlobal>

#include <span>

namespace veltaro {

enum class ControlKind {
    PushButton,
    DropDownList,
    VerticalScrollBar,
    HorizontalScrollBar,
    PictureBox,
    AutoSizePictureBox, // sizes itself to its picture
    Label,
    Transfer, // the download: no widget and no place on the window
};

struct ControlDesign
{
    const char *name;
    ControlKind kind;
    const char *caption; // UTF-8, said in the context "Design"
    float left;
    float top;
    float width;
    float height;
    int tabIndex;
    const char *container; // nullptr: the window's client area
};

// The window's caption and its design client area.
inline constexpr const char *kWindowCaption = QT_TRANSLATE_NOOP("Design", "Veltaro查询-数据来自中国风云二号气象卫星");
inline constexpr float kDesignClientWidth = 9870;
inline constexpr float kDesignClientHeight = 8355;

// Scroll steps in twips.
inline constexpr int kArrowStep = 100;
inline constexpr int kHorizontalPageStep = 100;
inline constexpr int kVerticalPageStep = 200;

std::span<const ControlDesign> designTable();

} // namespace veltaro
