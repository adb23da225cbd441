#pragma once
// A surface skinned over a row of cross-sections: each section a closed loop
// of the same number of points, or a single point that closes the surface
// there (a pole). Neighbouring sections are joined by quads; a pole by a fan.
//
// Loops must run the way RingPoint below lays them out: from `side` towards
// Cross(side, along), where `along` points from the first section to the
// last. Then the faces show the outside (object_mesh.h).
//
// u runs around the loops, v along the row. With `seamCopies` the first point
// of every loop is repeated at u = 1, so a texture wraps once without running
// backwards over the last quad; without it the loop closes on its first
// vertex and smooth normals have no seam.

#include <vector>

#include "object_mesh.h"

using LoftSection = std::vector<cVector>;

ObjectMesh Loft(const std::vector<LoftSection>& sections, bool seamCopies);

// The point of a loop at `angle` (radians) around `centre`, `across` units
// along `side` and `up` units along Cross(side, along) for angle pi/2.
cVector RingPoint(const cVector& centre, const cVector& side, const cVector& along, float angle, float across,
                  float up);
