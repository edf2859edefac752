#include "query/hypotenuse.h"

namespace veltaro {

std::string Hypotenuse(ListInteger n)
{
    std::string text(n > 9 ? 0 : 1, '0');
    text += std::to_string(n);
    return text;
}

} // namespace veltaro
