#include "files/systemerror.h"

#include <cerrno>

namespace veltaro {

std::string systemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
        return "磁盘已满";
    case EDQUOT:
        return "超出磁盘配额";
    case EFBIG:
        return "文件超过系统允许的大小";
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case EROFS:
        return "文件系统只读";
    case ETXTBSY:
    case EBUSY:
        return "文件正被占用";
    case ENOENT:
        return "文件夹不存在";
    case ENOTDIR:
        return "路径中有一项不是文件夹";
    case EISDIR:
        return "同名的是一个文件夹";
    case ELOOP:
        return "符号链接层数过多或成环";
    case ENAMETOOLONG:
        return "路径过长";
    case EXDEV:
        return "不能跨文件系统改名";
    case EMLINK:
        return "链接数过多";
    case EIO:
        return "读写设备出错";
    case ENXIO:
    case ENODEV:
        return "设备不存在";
    case ESTALE:
        return "网络文件系统的文件已失效";
    case EINTR:
        return "操作被中断";
    case EAGAIN:
        return "资源暂时不可用";
    case ENOMEM:
        return "内存不足";
    case EMFILE:
    case ENFILE:
        return "打开的文件过多";
    case EOPNOTSUPP:
    case EINVAL:
        return "文件系统不支持此操作";
    case EFAULT:
        return "内部错误：地址无效";
    case EBADF:
        return "内部错误：文件句柄无效";
    default:
        // No system wording: its words are not the program's language.
        return "系统错误 " + std::to_string(error);
    }
}

} // namespace veltaro
