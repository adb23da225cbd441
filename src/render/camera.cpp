#include "render/camera.h"

cCamera::cCamera(cVector eye, cVector target)
{
    Set(eye, target);
}

void cCamera::Set(cVector newEye, cVector newTarget)
{
    eye = newEye;
    target = newTarget;
    eyeCopy = newEye;
}
