#include "files/systemerror.h"

#include "said.h"

#include <cerrno>

namespace veltaro {

std::string systemErrorText(int error)
{
    switch (error) {
    case ENOSPC:
        return said("systemerror", "磁盘已满");
    case EDQUOT:
        return said("systemerror", "超出磁盘配额");
    case EFBIG:
        return said("systemerror", "文件超过系统允许的大小");
    case EACCES:
    case EPERM:
        return said("systemerror", "没有写入权限");
    case EROFS:
        return said("systemerror", "文件系统只读");
    case ETXTBSY:
    case EBUSY:
        return said("systemerror", "文件正被占用");
    case ENOENT:
        return said("systemerror", "文件夹不存在");
    case ENOTDIR:
        return said("systemerror", "路径中有一项不是文件夹");
    case EISDIR:
        return said("systemerror", "同名的是一个文件夹");
    case ELOOP:
        return said("systemerror", "符号链接层数过多或成环");
    case ENAMETOOLONG:
        return said("systemerror", "路径过长");
    case EXDEV:
        return said("systemerror", "不能跨文件系统改名");
    case EMLINK:
        return said("systemerror", "链接数过多");
    case EIO:
        return said("systemerror", "读写设备出错");
    case ENXIO:
    case ENODEV:
        return said("systemerror", "设备不存在");
    case ESTALE:
        return said("systemerror", "网络文件系统的文件已失效");
    case EINTR:
        return said("systemerror", "操作被中断");
    case EAGAIN:
        return said("systemerror", "资源暂时不可用");
    case ENOMEM:
        return said("systemerror", "内存不足");
    case EMFILE:
    case ENFILE:
        return said("systemerror", "打开的文件过多");
    case EOPNOTSUPP:
    case EINVAL:
        return said("systemerror", "文件系统不支持此操作");
    case EFAULT:
        return said("systemerror", "内部错误：地址无效");
    case EBADF:
        return said("systemerror", "内部错误：文件句柄无效");
    default:
        // No system wording: its words are not the program's language.
        return said("systemerror", "系统错误 ") + std::to_string(error);
    }
}

} // namespace veltaro
