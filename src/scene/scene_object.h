#pragma once
// What a scene node carries: the abstract scene object and the objects that
// are only a point in space (camera targets and lights). Cameras and meshes
// have headers of their own.
//
// Every frame the node tree hands each object its node (Attach), so the
// object can take its placement; then the scene draws each object (Draw).

#include <cstdint>

#include "math/math.h"

class cScene;
class cSceneNode;

// Type codes, as TypeCode reports them.
enum : int {
    SCENE_MESH_BASE = 0,
    SCENE_MESH = 1,
    SCENE_SKINNED_MESH = 2,
    SCENE_CAMERA = 4,
    SCENE_LIGHT = 5,
    SCENE_CAMERA_TARGET = 6,
};

class cSceneObject {
public:
    explicit cSceneObject(cScene* scene) : scene(scene) {}
    virtual ~cSceneObject() = default;
    cSceneObject(const cSceneObject&) = delete;
    cSceneObject& operator=(const cSceneObject&) = delete;

    virtual int TypeCode() const = 0;
    virtual void Draw() = 0;
    virtual void Attach(cSceneNode* node) = 0;

    cScene* scene;
};

class cScenePoint : public cSceneObject {
public:
    using cSceneObject::cSceneObject;

    void Draw() override {}
    // Takes the node's origin in world space.
    void Attach(cSceneNode* node) override;

    cVector position;
};

class cSceneCameraTarget : public cScenePoint {
public:
    using cScenePoint::cScenePoint;
    int TypeCode() const override { return SCENE_CAMERA_TARGET; }
};

// A point light of fixed colour and range, in the device light slot it was
// numbered with at load time. Lights are switched on when first placed and
// never off again.
class cSceneLight : public cScenePoint {
public:
    using cScenePoint::cScenePoint;
    int TypeCode() const override { return SCENE_LIGHT; }

    void Attach(cSceneNode* node) override;
    // A flare quad facing the camera, only when the scene draws flares and
    // has a flare material.
    void Draw() override;

    std::int32_t lightIndex = 0;
};
