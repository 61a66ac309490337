#pragma once

namespace console {

// The console's user-interface font: a Japanese font (Noto Sans CJK JP, or
// IPA Gothic), so that every caption renders whatever the desktop's default.
// Call once after the QApplication exists.
void applyConsoleFont();

} // namespace console
