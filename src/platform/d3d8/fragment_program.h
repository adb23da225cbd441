#pragma once
// The pixel side of the fixed-function pipeline: the texture stages, specular
// add, fog and alpha test reduced to a small key, one generated OpenGL program
// per key, cached.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/gl.h"
#include "platform/d3d8/gl_dialect.h"

struct FragmentStageKey {
    std::uint8_t colorOp = 0, colorArg0 = 0, colorArg1 = 0, colorArg2 = 0;
    std::uint8_t alphaOp = 0, alphaArg0 = 0, alphaArg1 = 0, alphaArg2 = 0;
    std::uint8_t resultArg = 0;
    std::uint8_t samplesTexture = 0;
    // D3DTADDRESS_BORDER or D3DTADDRESS_MIRRORONCE where the program applies
    // the addressing itself (the sampler then clamps to the edge); 0 where
    // the sampler does it.
    std::uint8_t emulatedAddressU = 0, emulatedAddressV = 0;

    bool operator==(const FragmentStageKey&) const = default;
};

struct FragmentProgramKey {
    FragmentStageKey stages[D3D_STAGE_COUNT];
    std::uint8_t stageCount = 0; // stages that run; the rest pass the colour through
    std::uint8_t alphaFunc = 0; // a D3DCMP_ value, 0 when the alpha test is off
    std::uint8_t fog = 0;
    std::uint8_t specular = 0;
    std::uint8_t flat = 0;

    bool operator==(const FragmentProgramKey&) const = default;
};

struct FragmentProgramKeyHash {
    std::size_t operator()(const FragmentProgramKey& key) const;
};

// `textureBound[s]`: whether stage s has a texture. A stage that reads a
// texture it does not have ends the stage cascade there.
FragmentProgramKey MakeFragmentProgramKey(const DeviceState& state, const bool textureBound[D3D_STAGE_COUNT]);

// Marks the sampled stages whose border or mirror-once addressing the
// program must do, for a dialect without those sampler modes.
void EmulateAddressing(const DeviceState& state, FragmentProgramKey& key);

std::string VertexShaderSource(const FragmentProgramKey& key, const GlDialect& dialect);
std::string FragmentShaderSource(const FragmentProgramKey& key, const GlDialect& dialect);

// Vertex attribute locations shared by every generated program.
enum VertexAttribute : GLuint {
    ATTRIBUTE_POSITION = 0,
    ATTRIBUTE_DIFFUSE = 1,
    ATTRIBUTE_SPECULAR = 2,
    ATTRIBUTE_FOG = 3,
    ATTRIBUTE_TEXCOORD0 = 4,
};

struct FragmentProgram {
    GLuint program = 0;
    GLint textureFactor = -1;
    GLint fogColor = -1;
    GLint alphaReference = -1;
    GLint lodBias[D3D_STAGE_COUNT];
    GLint borderColor[D3D_STAGE_COUNT];
};

class FragmentProgramCache {
public:
    explicit FragmentProgramCache(GlDialect dialect) : dialect(dialect) {}
    ~FragmentProgramCache();
    FragmentProgramCache(const FragmentProgramCache&) = delete;
    FragmentProgramCache& operator=(const FragmentProgramCache&) = delete;

    // The program for the key, compiled on first use. program 0 when the
    // driver refuses it.
    const FragmentProgram& Get(const FragmentProgramKey& key);

    std::uint64_t Hits() const { return hits; }
    std::uint64_t Misses() const { return misses; }

private:
    GlDialect dialect;
    std::unordered_map<FragmentProgramKey, FragmentProgram, FragmentProgramKeyHash> programs;
    std::uint64_t hits = 0;
    std::uint64_t misses = 0;
};
