#include "scene/scene_camera.h"

#include "scene/device_values.h"
#include "scene/scene.h"

void cSceneCamera::Attach(cSceneNode* node)
{
    cScenePoint::Attach(node);
    if (fovTrack) {
        fov = fovTrack->Evaluate(node->time);
    }
}

void cSceneCamera::SetProjectionAndView()
{
    const cMatrix projection = MatrixPerspective(fov, scene->xScale, scene->zNear, scene->zFar);
    scene->device->SetTransform(D3DTS_PROJECTION, AsDeviceMatrix(projection));
    scene->device->SetTransform(D3DTS_VIEW, AsDeviceMatrix(view));
}

void cSceneFreeCamera::Attach(cSceneNode* node)
{
    cSceneCamera::Attach(node);
    view = MatrixInverseAffine(node->world);
}

void cSceneFreeCamera::SetupView()
{
    SetProjectionAndView();
}

void cSceneTargetCamera::Attach(cSceneNode* node)
{
    cSceneCamera::Attach(node);
    if (rollTrack) {
        roll = rollTrack->Evaluate(node->time);
    }
}

void cSceneTargetCamera::SetupView()
{
    // The loader refuses a chosen target camera without a target; any other
    // target camera keeps looking down +z from where it is.
    const cVector lookAt = target != nullptr ? target->position : position + cVector(0.0f, 0.0f, 1.0f);
    view = MatrixCameraLookAt(position, lookAt, roll);
    SetProjectionAndView();
}
