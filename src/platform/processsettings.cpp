#include "platform/processsettings.h"

#include "platform/picturedecoder.h"

#include <QImageReader>

namespace veltaro {

void applyProcessSettings()
{
    QImageReader::setAllocationLimit(picturedecoder::kAllocationLimitMiB);
}

} // namespace veltaro
