#include "objects.h"

#include <filesystem>
#include <fstream>

#include "aeroplane.h"
#include "bird.h"
#include "blob.h"
#include "box.h"
#include "disc.h"
#include "flare_cloud.h"
#include "geosphere.h"
#include "object_file_writer.h"
#include "pyramid.h"
#include "torus.h"
#include "twisted_column.h"
#include "wire_cage.h"

// Sizes follow the cameras and scales of the effects that draw each object;
// the comments give the size on screen they aim for.
std::vector<ObjectFile> BuildObjectFiles()
{
    std::vector<ObjectFile> files;
    // fx01, seen from about 10 units through a field of view of 100
    // degrees, some 20 pixels a unit: the blob, radius 4.6 give or take 16 %,
    // turns inside the cage (radius 7.5 at scale 0.8, 6 units).
    files.push_back({"01blob.obj", Blob(10, 4.6f, 0.16f, 101)});
    files.push_back({"01wire.obj", WireCage(2, 7.5f, 0.1f)});
    // fx04 loads the sphere without drawing it; it matches the pyramids' units.
    files.push_back({"geosphere.obj", Geosphere(4, 100.0f)});
    // fx04 draws the pyramids at scale 0.25, 60 and 70 units apart and some
    // 700 units away: 50 wide and 45 tall, nearly touching side by side.
    files.push_back({"pyramid.obj", Pyramid(100.0f, 180.0f)});
    files.push_back({"wings2.obj", Bird()});
    // fx05 prepares the box and the ring without drawing them; sized like the glow blob.
    files.push_back({"box.obj", Box({2.5f, 2.5f, 2.5f})});
    files.push_back({"o1.obj", Torus(2.5f, 0.9f, 0.9f, 32, 16)});
    files.push_back({"samolot.obj", Aeroplane()});
    // fxobraz, camera 10 units away: flares of up to 64 pixels, about 20
    // pixels per unit there.
    files.push_back({"flara_duza2.obj", ParticleMesh(SpiralCloud(20, 1.0f, 11.0f, 201))});
    files.push_back({"flara_mala1.obj", ParticleMesh(BallCloud(120, 4.2f, 0.5f, 202))});
    files.push_back({"flara_mala2.obj", ParticleMesh(BallCloud(90, 5.0f, 0.35f, 203))});
    // fxobraz moves the column from 55 to 15 units in front of the camera
    // through fog, nearly end-on: a turning five-pointed star 60 pixels
    // across at the end, when its tapered near end just passes the camera's
    // side (the camera stays outside it).
    files.push_back({"dlugi.obj", TwistedColumn(32.0f, 3.0f, 5, 1.5f)});
    // fxobraz scales the rings between 0.09 and about 5 from 250 units away:
    // radius 20 grows to about 100 units, a sixth of the screen height.
    files.push_back({"donut01.obj", Torus(20.0f, 1.6f, 1.6f, 48, 12)});
    files.push_back({"donut02.obj", Torus(20.0f, 4.0f, 4.0f, 48, 16)});
    files.push_back({"donut03.obj", Torus(20.0f, 2.5f, 0.8f, 48, 12)});
    // fxvolu: the mesh at scale 5 to 7 from 60 units (radius about 21), and
    // the same vertices as a cloud at scale 22: every fourth of its 642
    // vertices, 160 particles.
    files.push_back({"blob01.obj", Blob(8, 3.5f, 0.18f, 301)});
    // The glow of fx05 at scale 40 and more from 300 units: radius 3 becomes
    // 120. 20 x 12² = 2880 faces.
    files.push_back({"blob7_3k.obj", Blob(12, 3.0f, 0.12f, 401)});
    files.push_back({"glow.obj", Disc(4.0f, 4, 32)});
    return files;
}

bool WriteObjects(const std::string& outdir, std::string& error)
{
    const std::filesystem::path folder = std::filesystem::path(outdir) / "obj";
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made) {
        error = "cannot create " + folder.string() + ": " + made.message();
        return false;
    }
    for (const ObjectFile& file : BuildObjectFiles()) {
        const std::filesystem::path path = folder / file.name;
        std::ofstream out(path, std::ios::binary);
        const std::string bytes = ObjectFileBytes(file.mesh);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}
