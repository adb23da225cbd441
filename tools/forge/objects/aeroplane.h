#pragma once
// A twin-engined aeroplane, nose towards +z, top towards +y, about 1000
// units across the wings and 870 long: the greetings flight draws it at
// scale 0.04, forty units across, which leaves ten units between the
// wingtips of neighbouring planes fifty apart. Every part is a closed,
// smooth-shaded body; the parts overlap where they join.

#include "object_mesh.h"

ObjectMesh Aeroplane();
