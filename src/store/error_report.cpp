#include "store/error_report.h"

#include <string>

namespace petarino {

void ReportGeneralError(platform::WindowSystem& windows, std::string_view message) {
    std::string text(message);
    // Both bytes of a double-byte character sort after ".", so its last byte decides alike.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    windows.ShowMessageBox(text, kApplicationTitle,
                           platform::MessageBoxStyle::Ok | platform::MessageBoxStyle::IconError);
}

} // namespace petarino
