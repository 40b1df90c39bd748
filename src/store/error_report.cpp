#include "store/error_report.h"

#include <exception>
#include <string>

namespace petarino {

void ReportGeneralError(platform::WindowSystem& windows, std::string_view message) {
    std::string text(message);
    // Both bytes of a double-byte character sort after ".", so its last byte decides alike.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    windows.ShowMessageBox(text, kApplicationTitle,
                           platform::MessageBoxStyle::Ok | platform::MessageBoxStyle::IconError);
}

void ReportCurrentException(platform::WindowSystem& windows) noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            ReportGeneralError(windows, e.what());
        } catch (...) {
            ReportGeneralError(windows, kUnknownError);
        }
    } catch (...) {
        // Nothing is left to tell it with: the box itself failed.
    }
}

} // namespace petarino
