#include "query/hypotenuse.h"

namespace veltaro {

std::string Hypotenuse(ListInteger n)
{
    if (n > 9)
        return std::to_string(n);
    return "0" + std::to_string(n);
}

} // namespace veltaro
