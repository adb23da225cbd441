#pragma once
// The show's object files under obj\, one generated mesh each.

#include <string>
#include <vector>

#include "object_mesh.h"

struct ObjectFile {
    std::string name; // file name inside obj/
    ObjectMesh mesh;
};

// Every object file the effects load, built in memory.
std::vector<ObjectFile> BuildObjectFiles();

// Writes OUTDIR/obj/<name> for every object file. False with `error` set when
// a file cannot be written.
bool WriteObjects(const std::string& outdir, std::string& error);
