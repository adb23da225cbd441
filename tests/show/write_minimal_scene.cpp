// Writes the smallest scene the show accepts (one free camera) to
// DIR/obj/a.scene, so the whole-show tests can start without generated data.

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "scene/scene_node.h"
#include "scene/scene_writer.h"

int main(int argumentCount, char** arguments)
{
    if (argumentCount != 2) {
        std::fprintf(stderr, "usage: write-minimal-scene DIR\n");
        return 2;
    }
    const std::string directory = std::string(arguments[1]) + "/obj";
    mkdir(directory.c_str(), 0755);
    SceneDescription scene;
    scene.objects.push_back(SceneObjectRecord::FreeCamera("camera", 60.0f));
    scene.nodes.push_back(MakeNode(NODE_FREE_CAMERA, "camera", "camera"));
    const std::string bytes = WriteScene(scene);
    FILE* file = std::fopen((directory + "/a.scene").c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fprintf(stderr, "write-minimal-scene: cannot write %s/a.scene\n", directory.c_str());
        return 1;
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
