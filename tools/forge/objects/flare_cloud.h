#pragma once
// Point clouds for point-sprite objects. Their loader keeps the first vertex
// of every group of four, so each particle is written as a tiny square of
// four vertices and two faces whose first corner is the particle: the file
// stays a valid mesh, and every fourth vertex is a flare.

#include <cstdint>
#include <vector>

#include "object_mesh.h"

// Particles as object-file vertices.
ObjectMesh ParticleMesh(const std::vector<cVector>& particles);

// Two spiral arms in the xy plane, from `innerRadius` to `outerRadius`,
// thin in z: the large flare of fxobraz, which turns about z facing the
// camera.
std::vector<cVector> SpiralCloud(int particlesPerArm, float innerRadius, float outerRadius, std::uint64_t seed);

// A ball thicker towards its centre, squashed along z by `depthScale`.
std::vector<cVector> BallCloud(int particles, float radius, float depthScale, std::uint64_t seed);
