#include "objects/object_placement.h"

namespace {

constexpr float degreesToRadians = 0.017453292f;

} // namespace

void cObjectPlacement::SetRotation(float x, float y, float z)
{
    rotation = cVector(x * degreesToRadians, y * degreesToRadians, z * degreesToRadians);
}

void cObjectPlacement::SetRotationSpeed(float x, float y, float z)
{
    rotationSpeed = cVector(x * degreesToRadians, y * degreesToRadians, z * degreesToRadians);
}

void cObjectPlacement::Spin()
{
    rotation += rotationSpeed;
}
