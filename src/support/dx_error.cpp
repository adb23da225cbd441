#include "support/dx_error.h"

#include <algorithm>

#include "support/log.h"

void ReportDXError(HRESULT result)
{
    if (!g_log) {
        return;
    }
    // Only failed device calls come here, so a plain scan of the table is fast enough.
    const auto table = DXErrorTable();
    // std::find_if rather than the ranges form: the page's C++ library has no ranges yet.
    const auto row = std::find_if(table.begin(), table.end(), [result](const DXErrorText& text) {
        return text.code == static_cast<std::uint32_t>(result);
    });
    if (row == table.end()) {
        return;
    }
    for (const char* line : row->lines) {
        if (line == nullptr) {
            break;
        }
        g_log->Print("%s", line);
    }
}
