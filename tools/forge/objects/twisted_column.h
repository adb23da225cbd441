#pragma once
// A long fluted column along y, its star-shaped cross-section twisting as it
// goes and narrowing to a rounded point at each end. fxobraz turns it to lie
// along the line of sight and spins it about its length, so the twist is
// what shows the spin.

#include "object_mesh.h"

ObjectMesh TwistedColumn(float length, float radius, int lobes, float turns);
