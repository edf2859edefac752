#pragma once

// The program speaks Chinese whatever the user's locale: its own texts are written in it, and
// Qt's (the save dialog's and the message boxes' buttons) come from Qt's translations.

namespace veltaro {

// Once, after the application object exists. Returns false, having said why on standard error,
// when Qt's Chinese translation is not installed: the dialogs then keep Qt's English.
bool speakChinese();

} // namespace veltaro
