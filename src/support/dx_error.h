#pragma once
// ReportDXError: the log's descriptions of DirectX and COM result codes.

#include <cstdint>
#include <span>

#include "platform/win32/types.h"

// Logs the line(s) describing a DirectX or COM result; an unknown code logs nothing.
void ReportDXError(HRESULT result);

// One known result code and the lines logged for it, in order; unused entries are null.
struct DXErrorText {
    std::uint32_t code;
    const char* lines[3];
};

// Every code ReportDXError describes.
std::span<const DXErrorText> DXErrorTable();
