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
    const auto row = std::ranges::find(table, static_cast<std::uint32_t>(result), &DXErrorText::code);
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
