#pragma once
// The scene's cameras. A target camera looks from its node towards a camera
// target (another object of the scene) and may roll about that line; a free
// camera looks along its node's own axes. Both may animate their field of
// view, the target camera its roll too.

#include <memory>

#include "scene/scene_object.h"
#include "scene/tracks.h"

class cSceneCamera : public cScenePoint {
public:
    using cScenePoint::cScenePoint;
    int TypeCode() const override { return SCENE_CAMERA; }

    void Attach(cSceneNode* node) override;

    // Sets the device's projection, then its view.
    virtual void SetupView() = 0;

    std::unique_ptr<cFloatTrack> fovTrack;
    float fov = 0.0f; // degrees, vertical
    cMatrix view = MatrixIdentity();

protected:
    void SetProjectionAndView();
};

class cSceneFreeCamera : public cSceneCamera {
public:
    using cSceneCamera::cSceneCamera;
    void Attach(cSceneNode* node) override;
    void SetupView() override;
};

class cSceneTargetCamera : public cSceneCamera {
public:
    using cSceneCamera::cSceneCamera;
    void Attach(cSceneNode* node) override;
    void SetupView() override;

    std::unique_ptr<cFloatTrack> rollTrack;
    float roll = 0.0f; // degrees
    cSceneCameraTarget* target = nullptr;
};
