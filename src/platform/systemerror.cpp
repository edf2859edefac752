#include "platform/systemerror.h"

#include <cerrno>
#include <cstring>

namespace veltaro {

std::string systemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
        return "磁盘已满";
    case EDQUOT:
        return "超出磁盘配额";
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case EROFS:
        return "文件系统只读";
    case ENOENT:
        return "文件夹不存在";
    case ENOTDIR:
        return "路径中有一项不是文件夹";
    case EISDIR:
        return "同名的是一个文件夹";
    case ENAMETOOLONG:
        return "路径过长";
    case EIO:
        return "读写设备出错";
    case EMFILE:
    case ENFILE:
        return "打开的文件过多";
    default:
        // Anything rarer keeps the system's own words, with the number to look it up by.
        return std::string("系统错误 ") + std::to_string(error) + "（" + std::strerror(error) +
               "）";
    }
}

} // namespace veltaro
