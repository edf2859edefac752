#pragma once

#include "export/loopexport.h"
#include "app/commandline.h"

#include <optional>

namespace veltaro {

// The enhancement named `name` ("原图"/"none", "反相"/"invert", "自动对比度"/"stretch", or a
// table's name or file name); nothing, with the reason, when there is none of that name.
std::optional<Enhancement> enhancementNamed(const QString &name, QString *whyNot);

// --export without a window: fetches, encodes and writes, telling the progress on standard error
// (a bar on a terminal, plain lines otherwise). Returns the exit status: 0 when every frame is
// in, 3 when some hours were missing (named), 1 on failure (the reason in Chinese). Runs the
// application's event loop; call it with the application made.
int runExport(const ExportCommand &command);

} // namespace veltaro
