#pragma once
// The show's animated scene, obj\a.scene, with its textures.

#include <string>
#include <vector>

#include "scene/scene_writer.h"

// The scene's texture files, named as the materials name them (relative to
// the show's folder, with backslashes), with their bytes.
struct SceneTextureFile {
    std::string name;
    std::string bytes;
};

// The scene as the writer takes it: 110 frames, played at ten a second.
SceneDescription BuildSceneDescription();

// False with `error` set when a picture cannot be encoded.
bool BuildSceneTextures(std::vector<SceneTextureFile>& files, std::string& error);

// Writes OUTDIR/obj/a.scene and the texture files beside it. False with
// `error` set when something cannot be made or written.
bool WriteScene(const std::string& outdir, std::string& error);
