#include "object_file_writer.h"

#include <cstring>

namespace {

void PutUInt(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>(value >> shift & 0xFF);
    }
}

void PutFloat(std::string& out, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutUInt(out, bits);
}

} // namespace

std::string ObjectFileBytes(const ObjectMesh& mesh)
{
    std::string out(objectFileSignature, sizeof objectFileSignature);
    out.reserve(16 + 20 * mesh.vertices.size() + 12 * mesh.faces.size());
    PutUInt(out, static_cast<std::uint32_t>(mesh.vertices.size()));
    PutUInt(out, static_cast<std::uint32_t>(mesh.faces.size()));
    for (const ObjectVertex& vertex : mesh.vertices) {
        PutFloat(out, vertex.position.x);
        PutFloat(out, vertex.position.y);
        PutFloat(out, vertex.position.z);
        PutFloat(out, vertex.u);
        PutFloat(out, vertex.v);
    }
    for (const ObjectFace& face : mesh.faces) {
        for (std::uint32_t index : face) {
            PutUInt(out, index);
        }
    }
    return out;
}
