#include "window/designtable.h"

#include <array>

namespace veltaro {

namespace {

// The note begins with its fixed words, then 16 spaces and a hint of our own.
constexpr const char *kNote = QT_TRANSLATE_NOOP("Design", "注：必须接入互联网                "
                                                        "时刻为北京时间，选好年月日时后按“显示”");

constexpr std::array kDesign{
    ControlDesign{"Command2", ControlKind::PushButton, QT_TRANSLATE_NOOP("Design", "退出"), 8760, 7560, 735, 375, 14, nullptr},
    ControlDesign{"Combo4", ControlKind::DropDownList, "", 4680, 7560, 975, 300, 13, nullptr},
    ControlDesign{"Combo3", ControlKind::DropDownList, "", 3360, 7560, 975, 300, 12, nullptr},
    ControlDesign{"Combo2", ControlKind::DropDownList, "", 2160, 7560, 975, 300, 11, nullptr},
    ControlDesign{"Combo1", ControlKind::DropDownList, "", 1080, 7560, 615, 300, 10, nullptr},
    ControlDesign{"Inet1", ControlKind::Transfer, "", 0, 0, 0, 0, -1, nullptr},
    ControlDesign{"Command1", ControlKind::PushButton, QT_TRANSLATE_NOOP("Design", "显示"), 6120, 7560, 855, 375, 4, nullptr},
    ControlDesign{"VScroll1", ControlKind::VerticalScrollBar, "", 9480, 120, 255, 7095, 3, nullptr},
    ControlDesign{"HScroll1", ControlKind::HorizontalScrollBar, "", 120, 7200, 9375, 255, 2,
                  nullptr},
    ControlDesign{"Picture1", ControlKind::PictureBox, "", 120, 120, 9375, 7095, 0, nullptr},
    ControlDesign{"Picture2", ControlKind::AutoSizePictureBox, "", -4200, -120, 13545, 7200, 1,
                  "Picture1"},
    ControlDesign{"Label6", ControlKind::Label, "200", 720, 7605, 375, 180, 16, nullptr},
    ControlDesign{"Label5", ControlKind::Label, "", 7080, 7680, 1095, 255, 15, nullptr},
    ControlDesign{"Label9", ControlKind::Label, kNote, 600, 8040, 8535, 255, 9, nullptr},
    ControlDesign{"Label4", ControlKind::Label, QT_TRANSLATE_NOOP("Design", "时"), 5760, 7560, 255, 255, 8, nullptr},
    ControlDesign{"Label3", ControlKind::Label, QT_TRANSLATE_NOOP("Design", "日"), 4440, 7560, 255, 255, 7, nullptr},
    ControlDesign{"Label2", ControlKind::Label, QT_TRANSLATE_NOOP("Design", "月"), 3120, 7560, 255, 255, 6, nullptr},
    ControlDesign{"Label1", ControlKind::Label, QT_TRANSLATE_NOOP("Design", "年"), 1800, 7560, 255, 375, 5, nullptr},
};

} // namespace

std::span<const ControlDesign> designTable()
{
    return kDesign;
}

} // namespace veltaro
