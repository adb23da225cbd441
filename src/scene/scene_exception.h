#pragma once
// The two exceptions of the scene system. Each carries one code and nothing
// else; the catcher decides what the code means for it.

#include <cstdint>

// Thrown by the scene loader and by cScene. Codes:
//   0  the file ended before a read, or holds something outside the format
//   1  SetDevice failed (no device, or a Direct3D creation, lock or unlock)
//   2  the scene has no camera
//   3  a scene texture failed for a reason other than a missing picture
//   4  the scene was used before SetDevice
class mu3d_CException {
public:
    explicit mu3d_CException(std::int32_t code) : code(code) {}
    std::int32_t code;
};

// Thrown by the scene texture registry. Codes:
//   0  the registry was used before Init
//   3  no texture was made (missing or unreadable picture, unknown format,
//      a failed Direct3D call)
class CTextureException {
public:
    explicit CTextureException(std::int32_t code) : code(code) {}
    std::int32_t code;
};
