#pragma once
// A bird with spread wings, beak towards +x, back towards +y, wings along z:
// about 315 units from wingtip to wingtip and 165 from tail to beak. The
// flock of fx03 flies it along +x at scale 0.5, a hundred units apart, 250
// units from the camera: 80 pixels long, 150 across.

#include "object_mesh.h"

ObjectMesh Bird();
