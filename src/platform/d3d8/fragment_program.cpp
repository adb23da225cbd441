#include "platform/d3d8/fragment_program.h"

#include <cstdio>
#include <string_view>

namespace {

bool UsesArg0(DWORD op) { return op == D3DTOP_MULTIPLYADD || op == D3DTOP_LERP; }
bool UsesArg1(DWORD op) { return op != D3DTOP_SELECTARG2 && op != D3DTOP_DISABLE; }
bool UsesArg2(DWORD op) { return op != D3DTOP_SELECTARG1 && op != D3DTOP_DISABLE; }
bool UsesTextureAlpha(DWORD op) { return op == D3DTOP_BLENDTEXTUREALPHA || op == D3DTOP_BLENDTEXTUREALPHAPM; }

bool ReadsTexture(DWORD op, DWORD arg0, DWORD arg1, DWORD arg2)
{
    auto isTexture = [](DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE; };
    return UsesTextureAlpha(op) || (UsesArg0(op) && isTexture(arg0)) || (UsesArg1(op) && isTexture(arg1)) ||
           (UsesArg2(op) && isTexture(arg2));
}

std::uint8_t Byte(DWORD value) { return static_cast<std::uint8_t>(value); }

// A stage argument as a GLSL vec4 expression, with its modifiers.
std::string Argument(std::uint8_t arg)
{
    std::string source;
    switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE: source = "diffuse"; break;
    case D3DTA_TEXTURE: source = "tex"; break;
    case D3DTA_TFACTOR: source = "uTextureFactor"; break;
    case D3DTA_SPECULAR: source = "specular"; break;
    case D3DTA_TEMP: source = "temp"; break;
    default: source = "current"; break;
    }
    if (arg & D3DTA_ALPHAREPLICATE) source = "(" + source + ").aaaa";
    if (arg & D3DTA_COMPLEMENT) source = "(vec4(1.0) - " + source + ")";
    return source;
}

// The result of a stage operation on the colour (".rgb") or alpha (".a")
// channels of its arguments.
std::string Operation(std::uint8_t op, const std::string& a0v, const std::string& a1v, const std::string& a2v,
                      std::string_view channels)
{
    const std::string c(channels);
    const std::string a0 = "(" + a0v + ")" + c;
    const std::string a1 = "(" + a1v + ")" + c;
    const std::string a2 = "(" + a2v + ")" + c;
    const bool color = channels == ".rgb";
    switch (op) {
    case D3DTOP_SELECTARG2: return a2;
    case D3DTOP_MODULATE: return a1 + " * " + a2;
    case D3DTOP_MODULATE2X: return a1 + " * " + a2 + " * 2.0";
    case D3DTOP_MODULATE4X: return a1 + " * " + a2 + " * 4.0";
    case D3DTOP_ADD: return a1 + " + " + a2;
    case D3DTOP_ADDSIGNED: return a1 + " + " + a2 + " - 0.5";
    case D3DTOP_ADDSIGNED2X: return "(" + a1 + " + " + a2 + " - 0.5) * 2.0";
    case D3DTOP_SUBTRACT: return a1 + " - " + a2;
    case D3DTOP_ADDSMOOTH: return a1 + " + " + a2 + " - " + a1 + " * " + a2;
    case D3DTOP_BLENDDIFFUSEALPHA: return "mix(" + a2 + ", " + a1 + ", diffuse.a)";
    case D3DTOP_BLENDTEXTUREALPHA: return "mix(" + a2 + ", " + a1 + ", tex.a)";
    case D3DTOP_BLENDFACTORALPHA: return "mix(" + a2 + ", " + a1 + ", uTextureFactor.a)";
    case D3DTOP_BLENDTEXTUREALPHAPM: return a1 + " + " + a2 + " * (1.0 - tex.a)";
    case D3DTOP_BLENDCURRENTALPHA: return "mix(" + a2 + ", " + a1 + ", current.a)";
    case D3DTOP_MULTIPLYADD: return a0 + " + " + a1 + " * " + a2;
    case D3DTOP_LERP: return "mix(" + a2 + ", " + a1 + ", " + a0 + ")";
    case D3DTOP_DOTPRODUCT3: {
        std::string dot = "4.0 * dot((" + a1v + ").rgb - 0.5, (" + a2v + ").rgb - 0.5)";
        return color ? "vec3(" + dot + ")" : dot;
    }
    default: break;
    }
    if (color) {
        switch (op) {
        case D3DTOP_MODULATEALPHA_ADDCOLOR: return a1 + " + (" + a1v + ").a * " + a2;
        case D3DTOP_MODULATECOLOR_ADDALPHA: return a1 + " * " + a2 + " + (" + a1v + ").a";
        case D3DTOP_MODULATEINVALPHA_ADDCOLOR: return "(1.0 - (" + a1v + ").a) * " + a2 + " + " + a1;
        case D3DTOP_MODULATEINVCOLOR_ADDALPHA: return "(vec3(1.0) - " + a1 + ") * " + a2 + " + (" + a1v + ").a";
        default: break;
        }
    }
    // SELECTARG1, and the operations this pipeline does not model (bump
    // mapping, premodulation): the first argument passes through.
    return a1;
}

const char* Comparison(std::uint8_t func)
{
    switch (func) {
    case D3DCMP_NEVER: return "false";
    case D3DCMP_LESS: return "alpha8 < uAlphaReference";
    case D3DCMP_EQUAL: return "alpha8 == uAlphaReference";
    case D3DCMP_LESSEQUAL: return "alpha8 <= uAlphaReference";
    case D3DCMP_GREATER: return "alpha8 > uAlphaReference";
    case D3DCMP_NOTEQUAL: return "alpha8 != uAlphaReference";
    case D3DCMP_GREATEREQUAL: return "alpha8 >= uAlphaReference";
    default: return "true";
    }
}

GLuint Compile(GLenum type, const std::string& source)
{
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "rewind: a generated shader did not compile: %s\n%s\n", log, text);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// A stage's texture lookup into `tex`, with the addressing the sampler
// cannot do. Mirror-once mirrors -1..0 onto 0..1 and clamps beyond, which is
// the absolute value clamped to the edge; border gives the border colour
// wherever a coordinate lies outside 0..1.
std::string SampleStage(const FragmentStageKey& stage, const std::string& index)
{
    std::string source = "    vec2 uv = vTexCoord" + index + ".xy;\n";
    if (stage.emulatedAddressU == D3DTADDRESS_MIRRORONCE) source += "    uv.x = min(abs(uv.x), 1.0);\n";
    if (stage.emulatedAddressV == D3DTADDRESS_MIRRORONCE) source += "    uv.y = min(abs(uv.y), 1.0);\n";
    source += "    tex = texture(uTexture" + index + ", uv, uLodBias" + index + ");\n";
    if (stage.emulatedAddressU == D3DTADDRESS_BORDER)
        source += "    if (uv.x < 0.0 || uv.x > 1.0) tex = uBorderColor" + index + ";\n";
    if (stage.emulatedAddressV == D3DTADDRESS_BORDER)
        source += "    if (uv.y < 0.0 || uv.y > 1.0) tex = uBorderColor" + index + ";\n";
    return source;
}

FragmentProgram Link(const FragmentProgramKey& key, const GlDialect& dialect)
{
    FragmentProgram result;
    GLuint vertex = Compile(GL_VERTEX_SHADER, VertexShaderSource(key, dialect));
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, FragmentShaderSource(key, dialect));
    if (vertex == 0 || fragment == 0) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return result;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, ATTRIBUTE_POSITION, "aPosition");
    glBindAttribLocation(program, ATTRIBUTE_DIFFUSE, "aDiffuse");
    glBindAttribLocation(program, ATTRIBUTE_SPECULAR, "aSpecular");
    glBindAttribLocation(program, ATTRIBUTE_FOG, "aFog");
    for (int stage = 0; stage < key.stageCount; ++stage) {
        std::string name = "aTexCoord" + std::to_string(stage);
        glBindAttribLocation(program, ATTRIBUTE_TEXCOORD0 + stage, name.c_str());
    }
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(program);
        return result;
    }
    result.program = program;
    glUseProgram(program);
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        const std::string index = std::to_string(stage);
        result.lodBias[stage] = glGetUniformLocation(program, ("uLodBias" + index).c_str());
        result.borderColor[stage] = glGetUniformLocation(program, ("uBorderColor" + index).c_str());
        if (stage < key.stageCount) {
            glUniform1i(glGetUniformLocation(program, ("uTexture" + index).c_str()), static_cast<GLint>(stage));
        }
    }
    result.textureFactor = glGetUniformLocation(program, "uTextureFactor");
    result.fogColor = glGetUniformLocation(program, "uFogColor");
    result.alphaReference = glGetUniformLocation(program, "uAlphaReference");
    return result;
}

} // namespace

std::size_t FragmentProgramKeyHash::operator()(const FragmentProgramKey& key) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(&key);
    std::size_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < sizeof key; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

FragmentProgramKey MakeFragmentProgramKey(const DeviceState& state, const bool textureBound[D3D_STAGE_COUNT])
{
    FragmentProgramKey key;
    for (DWORD stage = 0; stage < D3D_STAGE_COUNT; ++stage) {
        const DWORD* ts = state.stageStates[stage];
        const DWORD colorOp = ts[D3DTSS_COLOROP];
        if (colorOp == D3DTOP_DISABLE || colorOp == 0 || colorOp > D3DTOP_LERP) {
            break;
        }
        const DWORD alphaOp = ts[D3DTSS_ALPHAOP];
        const bool readsTexture =
            ReadsTexture(colorOp, ts[D3DTSS_COLORARG0], ts[D3DTSS_COLORARG1], ts[D3DTSS_COLORARG2]) ||
            ReadsTexture(alphaOp, ts[D3DTSS_ALPHAARG0], ts[D3DTSS_ALPHAARG1], ts[D3DTSS_ALPHAARG2]);
        // Direct3D skips a stage that reads a missing texture, and every
        // stage after it: the colour so far passes through.
        if (readsTexture && !textureBound[stage]) {
            break;
        }
        FragmentStageKey& out = key.stages[stage];
        out.colorOp = Byte(colorOp);
        out.colorArg0 = Byte(ts[D3DTSS_COLORARG0]);
        out.colorArg1 = Byte(ts[D3DTSS_COLORARG1]);
        out.colorArg2 = Byte(ts[D3DTSS_COLORARG2]);
        out.alphaOp = Byte(alphaOp > D3DTOP_LERP ? D3DTOP_DISABLE : alphaOp);
        out.alphaArg0 = Byte(ts[D3DTSS_ALPHAARG0]);
        out.alphaArg1 = Byte(ts[D3DTSS_ALPHAARG1]);
        out.alphaArg2 = Byte(ts[D3DTSS_ALPHAARG2]);
        out.resultArg = Byte(ts[D3DTSS_RESULTARG] == D3DTA_TEMP ? D3DTA_TEMP : D3DTA_CURRENT);
        out.samplesTexture = readsTexture ? 1 : 0;
        key.stageCount = static_cast<std::uint8_t>(stage + 1);
    }
    if (state.RenderState(D3DRS_ALPHATESTENABLE)) {
        key.alphaFunc = Byte(state.RenderState(D3DRS_ALPHAFUNC));
    }
    key.fog = state.RenderState(D3DRS_FOGENABLE) ? 1 : 0;
    key.specular = state.RenderState(D3DRS_SPECULARENABLE) ? 1 : 0;
    key.flat = state.RenderState(D3DRS_SHADEMODE) == D3DSHADE_FLAT ? 1 : 0;
    return key;
}

void EmulateAddressing(const DeviceState& state, FragmentProgramKey& key)
{
    auto emulated = [](DWORD mode) -> std::uint8_t {
        return mode == D3DTADDRESS_BORDER || mode == D3DTADDRESS_MIRRORONCE ? Byte(mode) : 0;
    };
    for (DWORD stage = 0; stage < key.stageCount; ++stage) {
        FragmentStageKey& out = key.stages[stage];
        if (!out.samplesTexture) continue;
        out.emulatedAddressU = emulated(state.StageState(stage, D3DTSS_ADDRESSU));
        out.emulatedAddressV = emulated(state.StageState(stage, D3DTSS_ADDRESSV));
    }
}

std::string VertexShaderSource(const FragmentProgramKey& key, const GlDialect& dialect)
{
    const std::string colorQualifier = key.flat ? "flat " : "";
    std::string source = std::string(dialect.ProgramHeader()) +
                         "in vec4 aPosition;\nin vec4 aDiffuse;\nin vec4 aSpecular;\nin float aFog;\n";
    for (int stage = 0; stage < key.stageCount; ++stage) {
        source += "in vec4 aTexCoord" + std::to_string(stage) + ";\n";
        source += "out vec4 vTexCoord" + std::to_string(stage) + ";\n";
    }
    source += colorQualifier + "out vec4 vDiffuse;\n" + colorQualifier + "out vec4 vSpecular;\nout float vFog;\n";
    source += "void main() {\n  gl_Position = aPosition;\n  vDiffuse = aDiffuse;\n  vSpecular = aSpecular;\n"
              "  vFog = aFog;\n";
    for (int stage = 0; stage < key.stageCount; ++stage) {
        source += "  vTexCoord" + std::to_string(stage) + " = aTexCoord" + std::to_string(stage) + ";\n";
    }
    return source + "}\n";
}

std::string FragmentShaderSource(const FragmentProgramKey& key, const GlDialect& dialect)
{
    const std::string colorQualifier = key.flat ? "flat " : "";
    std::string source = dialect.ProgramHeader();
    source += colorQualifier + "in vec4 vDiffuse;\n" + colorQualifier + "in vec4 vSpecular;\nin float vFog;\n";
    for (int stage = 0; stage < key.stageCount; ++stage) {
        source += "in vec4 vTexCoord" + std::to_string(stage) + ";\n";
        source += "uniform sampler2D uTexture" + std::to_string(stage) + ";\n";
        source += "uniform float uLodBias" + std::to_string(stage) + ";\n";
        if (key.stages[stage].emulatedAddressU == D3DTADDRESS_BORDER ||
            key.stages[stage].emulatedAddressV == D3DTADDRESS_BORDER) {
            source += "uniform vec4 uBorderColor" + std::to_string(stage) + ";\n";
        }
    }
    source += "uniform vec4 uTextureFactor;\nuniform vec3 uFogColor;\nuniform float uAlphaReference;\n"
              "out vec4 fragColor;\n"
              "void main() {\n"
              "  vec4 diffuse = vDiffuse;\n  vec4 specular = vSpecular;\n"
              "  vec4 current = diffuse;\n  vec4 temp = vec4(0.0);\n  vec4 tex = vec4(0.0);\n";
    for (int stage = 0; stage < key.stageCount; ++stage) {
        const FragmentStageKey& s = key.stages[stage];
        const std::string index = std::to_string(stage);
        source += "  // stage " + index + "\n  {\n";
        if (s.samplesTexture) {
            source += SampleStage(s, index);
        }
        const std::string color = Operation(s.colorOp, Argument(s.colorArg0), Argument(s.colorArg1),
                                            Argument(s.colorArg2), ".rgb");
        std::string alpha = "current.a";
        if (s.colorOp == D3DTOP_DOTPRODUCT3) {
            alpha = "(" + color + ").r";
        } else if (s.alphaOp != D3DTOP_DISABLE) {
            alpha = Operation(s.alphaOp, Argument(s.alphaArg0), Argument(s.alphaArg1), Argument(s.alphaArg2),
                              ".a");
        }
        const std::string target = s.resultArg == D3DTA_TEMP ? "temp" : "current";
        source += "    vec4 result = clamp(vec4(" + color + ", " + alpha + "), 0.0, 1.0);\n";
        source += "    " + target + " = result;\n  }\n";
    }
    source += "  vec4 color = current;\n";
    if (key.specular) {
        source += "  color.rgb = clamp(color.rgb + specular.rgb, 0.0, 1.0);\n";
    }
    if (key.fog) {
        source += "  color.rgb = mix(uFogColor, color.rgb, clamp(vFog, 0.0, 1.0));\n";
    }
    if (key.alphaFunc != 0) {
        // Direct3D compares the 8-bit alpha with the 8-bit reference.
        source += "  float alpha8 = floor(color.a * 255.0 + 0.5);\n";
        source += std::string("  if (!(") + Comparison(key.alphaFunc) + ")) discard;\n";
    }
    source += "  fragColor = color;\n}\n";
    return source;
}

FragmentProgramCache::~FragmentProgramCache()
{
    for (auto& entry : programs) {
        if (entry.second.program != 0) {
            glDeleteProgram(entry.second.program);
        }
    }
}

const FragmentProgram& FragmentProgramCache::Get(const FragmentProgramKey& key)
{
    auto found = programs.find(key);
    if (found != programs.end()) {
        ++hits;
        return found->second;
    }
    ++misses;
    return programs.emplace(key, Link(key, dialect)).first->second;
}
