#include "scene.h"

#include <filesystem>
#include <fstream>

#include "bmp_file.h"
#include "jpeg_file.h"
#include "scene_meshes.h"
#include "scene_paintings.h"
#include "tga_file.h"

#include "forge/objects/box.h"
#include "forge/objects/geosphere.h"
#include "forge/objects/seeded_random.h"
#include "forge/objects/torus.h"

// A sculpture on a floating stone platform: a pedestal from which a skinned
// stem rises and sways, a morphing crystal at its tip, a chrome ring tumbling
// round it, three cubes and a light orbiting it, and a glow ring that lights
// up on the floor. fx07 plays it for 10.9 seconds at ten frames a second; the
// camera sweeps from high on the left round to the right, zooming in on the
// crystal and rolling as it goes.

namespace {

constexpr float pi = 3.14159265f;

const char* const floorTexture = "obj\\a_floor.jpg";
const char* const panelTexture = "obj\\a_panel.bmp";
const char* const sheenTexture = "obj\\a_sheen.jpg";
const char* const chromeTexture = "obj\\a_chrome.jpg";
const char* const skinTexture = "obj\\a_skin.tga";
const char* const haloTexture = "obj\\a_halo.tga";
const char* const haloAlpha = "obj\\a_halo_alpha.bmp";

enum : std::uint32_t {
    SECOND_TEXTURE = 0x01,
    SPHERE_MAP = 0x20,
    NO_TEXTURE = 0x40,
};

SceneTcb Tcb(float tension, float continuity, float bias, float easeTo = 0.0f, float easeFrom = 0.0f)
{
    return {tension, continuity, bias, easeTo, easeFrom};
}

SceneVectorKey Key(float frame, cVector value, SceneTcb tcb = {})
{
    return {frame, value, tcb};
}

SceneRotationKey Turn(float frame, cVector axis, float angle, SceneTcb tcb = {})
{
    return {frame, VectorNormalize(axis), angle, tcb};
}

SceneFloatKey Value(float frame, float value, SceneTcb tcb = {})
{
    return {frame, value, tcb};
}

SceneNodeRecord Placed(std::uint32_t kind, const std::string& name, const std::string& object, cVector position)
{
    SceneNodeRecord node = MakeNode(kind, name, object);
    node.position = {Key(0, position)};
    return node;
}

std::vector<SceneMaterialRecord> Materials()
{
    return {
        {"Floor", 0, 1, 1, 1, 1, floorTexture, ""},
        {"Rim", NO_TEXTURE, 1, 0.36f, 0.3f, 0.26f, "", ""},
        // Plates with a dim room added over them through the reflection vector.
        {"Panel", SECOND_TEXTURE, 1, 1, 1, 1, panelTexture, sheenTexture},
        {"Chrome", SPHERE_MAP, 1, 0.95f, 0.97f, 1, chromeTexture, ""},
        {"Ice", SPHERE_MAP, 1, 0.55f, 0.85f, 1, chromeTexture, ""},
        {"Skin", 0, 1, 1, 1, 1, skinTexture, ""},
        // Its texture has an alpha companion: the loader makes it additive.
        {"Halo", 0, 1, 1, 1, 1, haloTexture, ""},
    };
}

// The crystal's two morph shapes and its own: one geodesic layout, so the
// three have the same vertices in the same order.
ObjectMesh CrystalShape(bool spiky)
{
    ObjectMesh crystal = Geosphere(2, 14.0f);
    SeededRandom random(501);
    for (std::size_t i = 0; i < crystal.vertices.size(); ++i) {
        // The first twelve vertices are the icosahedron's corners.
        const float swell = spiky && i < 12 ? 1.9f : 1.0f + 0.12f * random.Unit();
        crystal.vertices[i].position = crystal.vertices[i].position * swell;
    }
    return crystal;
}

std::vector<SceneObjectRecord> Objects()
{
    std::vector<SceneObjectRecord> objects;
    // The target camera comes first: the scene views through the first camera.
    objects.push_back(SceneObjectRecord::TargetCamera("Camera01", 55, -8, {-320, 230, -360}));
    objects.push_back(SceneObjectRecord::CameraTarget("Camera01.Target", "Camera01", {0, 60, 0}));
    objects.push_back(SceneObjectRecord::Light("Omni01", {-150, 220, -180}));
    objects.push_back(SceneObjectRecord::Light("Omni02", {130, 100, 0}));

    const ObjectMesh rim = Lathe({{0, 230}, {-14, 230}, {-30, 200}, {-55, 130}, {-75, 50}, {-84, 0}}, 48);
    objects.push_back(SceneMesh("Platform", {{FlatDisc(230, 0, 8, 48), "Floor"}, {rim, "Rim"}}));
    const ObjectMesh column = Lathe({{0, 44}, {5, 44}, {9, 34}, {34, 28}, {38, 36}, {42, 36}}, 32);
    objects.push_back(SceneMesh("Pedestal", {{column, "Panel"}, {FlatDisc(36, 42, 2, 32), "Rim"}}));
    objects.push_back(StemMesh("Stem", "Skin"));
    objects.push_back(SceneMesh("Ring", {{Torus(60, 3.5f, 3.5f, 64, 12), "Chrome"}}));
    for (const char* name : {"Cube01", "Cube02", "Cube03"}) {
        objects.push_back(SceneMesh(name, {{Box({12, 12, 12}), "Panel"}}));
    }

    // The gem on the stem's tip. Around it the crystal morphs between a round
    // and a spiky shape; morphing meshes draw only when the scene's morphing
    // option is on, which the show leaves off, and then the crystal encloses
    // the gem. The two morph targets stay hidden either way.
    objects.push_back(SceneMesh("Gem", {{Geosphere(1, 12.0f), "Ice"}}));
    SceneObjectRecord crystal = SceneMesh("Crystal", {{CrystalShape(false), "Ice"}});
    crystal.tweenable = true;
    SceneObjectRecord round = crystal;
    round.name = "CrystalRound";
    round.hidden = 1;
    SceneObjectRecord spiky = SceneMesh("CrystalSpiky", {{CrystalShape(true), "Ice"}});
    spiky.tweenable = true;
    spiky.hidden = 1;
    objects.insert(objects.end(), {crystal, round, spiky});

    // Drawn last: it blends over everything else without writing depth.
    objects.push_back(SceneMesh("Halo", {{FlatDisc(110, 0.8f, 6, 48), "Halo"}}));
    return objects;
}

SceneNodeRecord CameraNode()
{
    SceneNodeRecord camera = MakeNode(0xEE04, "Camera01", "Camera01");
    camera.position = {Key(0, {-320, 230, -360}, Tcb(0, 0, 0, 0, 0.6f)), Key(35, {-170, 125, -250}, Tcb(0.2f, 0, 0.3f)),
                       Key(70, {110, 90, -230}, Tcb(0.1f, 0.2f, 0)), Key(110, {260, 160, -110}, Tcb(0, 0, 0, 0.5f, 0))};
    camera.fov = {Value(0, 55), Value(45, 38, Tcb(0.3f, 0, 0)), Value(80, 44), Value(110, 60)};
    camera.roll = {Value(0, -8), Value(40, 6, Tcb(0, 0.2f, 0)), Value(80, -4), Value(110, 0)};
    return camera;
}

// The stem's bones, each a child of the one below; the crystal rides on the last.
SceneNodeRecord StemNode()
{
    SceneNodeRecord stem = Placed(0xEE02, "Stem", "Stem", {0, 42, 0});
    SceneNodeRecord bone1 = MakeNode(0xEE01, "Bone01", "Stem");
    bone1.boneNumber = 1;
    bone1.boneOffset = MatrixIdentity();
    bone1.rotation = {Turn(0, {0, 1, 0}, 0), Turn(110, {0, 1, 0}, 1.2f * pi, Tcb(0, 0, 0, 0.3f, 0.3f))};
    SceneNodeRecord bone2 = Placed(0xEE01, "Bone02", "Stem", {0, stemBoneLength, 0});
    bone2.boneNumber = 2;
    bone2.boneOffset = MatrixTranslation(0, -stemBoneLength, 0);
    bone2.rotation = {Turn(0, {0, 0, 1}, 0), Turn(25, {0, 0, 1}, 0.45f, Tcb(0.25f, 0, 0.2f)),
                      Turn(55, {0, 0, 1}, -0.8f, Tcb(0, 0.3f, 0)), Turn(85, {1, 0, 0}, 0.5f, Tcb(-0.2f, 0, 0)),
                      Turn(110, {0, 0, 1}, 0.35f)};
    SceneNodeRecord bone3 = Placed(0xEE01, "Bone03", "Stem", {0, stemBoneLength, 0});
    bone3.boneNumber = 3;
    bone3.boneOffset = MatrixTranslation(0, -2 * stemBoneLength, 0);
    bone3.rotation = {Turn(0, {0, 0, 1}, 0), Turn(20, {1, 0, 0}, -0.5f, Tcb(0.3f, 0, -0.2f)),
                      Turn(50, {0, 0, 1}, 0.7f), Turn(80, {1, 0, 0}, 0.6f, Tcb(0, -0.3f, 0.1f)),
                      Turn(110, {0, 0, 1}, -0.6f)};
    SceneNodeRecord gem = Placed(0xEE02, "Gem", "Gem", {0, 46, 0});
    gem.rotation = {Turn(0, {0, 1, 0}, 0), Turn(110, {0.2f, 1, 0}, 2.8f)};
    SceneNodeRecord crystal = MakeNode(0xEE02, "Crystal", "Crystal");
    crystal.morph = {{0, "CrystalRound", 0, 0}, {30, "CrystalSpiky", 0.5f, 0.5f}, {60, "CrystalRound", 0.5f, 0.5f},
                     {90, "CrystalSpiky", 0, 0}};
    gem.children = {crystal};
    bone3.children = {gem};
    bone2.children = {bone3};
    bone1.children = {bone2};
    stem.children = {bone1};
    return stem;
}

// A dummy turning one and a quarter times about y carries the cubes and the
// second light round the stem.
SceneNodeRecord OrbitNode()
{
    SceneNodeRecord orbit = Placed(0xEE07, "Orbit", "", {0, 70, 0});
    orbit.rotation = {Turn(0, {0, 1, 0}, 0), Turn(110, {0, 1, 0}, 2.5f * pi, Tcb(0, 0, 0, 0.4f, 0.4f))};
    SceneNodeRecord light = Placed(0xEE03, "Omni02", "Omni02", {130, 30, 0});
    SceneNodeRecord cube1 = Placed(0xEE02, "Cube01", "Cube01", {115, 0, 0});
    cube1.euler = {Key(0, {0, 0, 0}), Key(110, {3.0f, 5.0f, 1.0f})};
    SceneNodeRecord cube2 = Placed(0xEE02, "Cube02", "Cube02", {-58, 22, 100});
    cube2.rotation = {Turn(0, {1, 1, 0}, 0), Turn(55, {1, 1, 0}, 2.0f, Tcb(0.2f, 0.1f, 0)),
                      Turn(110, {0, 1, 1}, 2.5f)};
    SceneNodeRecord cube3 = Placed(0xEE02, "Cube03", "Cube03", {-58, -18, -100});
    cube3.rotation = {Turn(0, {0, 0, 1}, 0.4f), Turn(60, {1, 0, 1}, -2.2f, Tcb(0, 0, 0.4f)),
                      Turn(110, {1, 0, 0}, 1.5f)};
    cube3.scale = {Key(0, {1, 1, 1}), Key(55, {1.3f, 0.8f, 1.3f}), Key(110, {1, 1, 1})};
    orbit.children = {light, cube1, cube2, cube3};
    return orbit;
}

SceneNodeRecord RingNode()
{
    SceneNodeRecord ring = MakeNode(0xEE02, "Ring", "Ring");
    ring.position = {Key(0, {0, 100, 0}), Key(55, {0, 115, 0}, Tcb(0, 0, 0)), Key(110, {0, 100, 0})};
    ring.rotation = {Turn(0, {1, 0, 0}, 0.5f), Turn(40, {0, 0, 1}, 0.6f, Tcb(-0.2f, 0.3f, 0)),
                     Turn(80, {1, 0, 0}, -0.9f, Tcb(0.2f, 0, 0.3f)), Turn(110, {0, 0, 1}, -0.5f)};
    return ring;
}

// The glow ring flickers on at frame 24 and swells to full size.
SceneNodeRecord HaloNode()
{
    SceneNodeRecord halo = MakeNode(0xEE02, "Halo", "Halo");
    halo.hide = {{0, 1, 0, 0}, {24, 0, 0, 0}, {26, 1, 0, 0}, {28, 0, 0, 0}};
    halo.scale = {Key(24, {0.5f, 1, 0.5f}), Key(45, {1, 1, 1}, Tcb(0, 0, 0, 0.5f, 0))};
    return halo;
}

} // namespace

SceneDescription BuildSceneDescription()
{
    SceneDescription scene;
    scene.lastFrame = 110;
    scene.materials = Materials();
    scene.objects = Objects();

    SceneNodeRecord target = MakeNode(0xEE03, "Camera01.Target", "Camera01.Target");
    target.position = {Key(0, {0, 60, 0}), Key(50, {0, 95, 0}, Tcb(0, 0, 0.3f)), Key(110, {10, 125, 0})};
    SceneNodeRecord root = MakeNode(0xEE07, "Scene Root");
    root.children = {CameraNode(),
                     target,
                     Placed(0xEE03, "Omni01", "Omni01", {-150, 220, -180}),
                     MakeNode(0xEE02, "Platform", "Platform"),
                     MakeNode(0xEE02, "Pedestal", "Pedestal"),
                     StemNode(),
                     RingNode(),
                     OrbitNode(),
                     HaloNode()};
    scene.nodes = {root};
    return scene;
}

bool BuildSceneTextures(std::vector<SceneTextureFile>& files, std::string& error)
{
    files.clear();
    std::string floorJpeg, sheenJpeg, chromeJpeg;
    if (!JpegBytes(PaintFloor(512), 90, floorJpeg, error) || !JpegBytes(PaintSheen(128), 90, sheenJpeg, error) ||
        !JpegBytes(PaintChrome(256), 92, chromeJpeg, error)) {
        return false;
    }
    files.push_back({floorTexture, floorJpeg});
    files.push_back({panelTexture, Bmp24Bytes(PaintPanel(128))});
    files.push_back({sheenTexture, sheenJpeg});
    files.push_back({chromeTexture, chromeJpeg});
    files.push_back({skinTexture, Tga16Bytes(PaintSkin(128))});
    files.push_back({haloTexture, Tga32Bytes(PaintHaloColour(128))});
    // Half the colour picture's size: the loader stretches it.
    files.push_back({haloAlpha, Bmp8Bytes(PaintHaloAlpha(64), 64, 64)});
    return true;
}

namespace {

bool WriteFile(const std::filesystem::path& path, const std::string& bytes, std::string& error)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

// A name as the show opens it, backslashes and all, under `outdir`.
std::filesystem::path PathOf(const std::string& outdir, std::string name)
{
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    return std::filesystem::path(outdir) / name;
}

} // namespace

bool WriteScene(const std::string& outdir, std::string& error)
{
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::path(outdir) / "obj", made);
    if (made) {
        error = "cannot create " + outdir + "/obj: " + made.message();
        return false;
    }
    std::vector<SceneTextureFile> textures;
    if (!BuildSceneTextures(textures, error)) {
        return false;
    }
    for (const SceneTextureFile& texture : textures) {
        if (!WriteFile(PathOf(outdir, texture.name), texture.bytes, error)) return false;
    }
    return WriteFile(PathOf(outdir, "obj\\a.scene"), WriteScene(BuildSceneDescription()), error);
}
