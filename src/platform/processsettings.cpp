#include "platform/processsettings.h"

#include "platform/picturedecoder.h"

#include <QImageReader>
#include <QNetworkProxyFactory>

namespace veltaro {

void applyProcessSettings()
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QImageReader::setAllocationLimit(picturedecoder::kAllocationLimitMiB);
}

} // namespace veltaro
