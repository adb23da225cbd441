#pragma once
// A transform node of the scene tree. Its scale, rotation and position
// tracks give its matrix relative to its parent at each frame; the node
// hands its world matrix to the object it carries. Children form a chain
// through firstChild and nextSibling; a node owns its first child and its
// next sibling.

#include <cstdint>
#include <memory>
#include <string>

#include "math/math.h"
#include "scene/tracks.h"

class cScene;
class cSceneObject;

// Node kinds of the scene file.
enum : std::uint32_t {
    NODE_BONE = 0xEE01,
    NODE_MESH = 0xEE02,
    NODE_PLAIN = 0xEE03,
    NODE_TARGET_CAMERA = 0xEE04,
    NODE_FREE_CAMERA = 0xEE05,
    NODE_PLAIN_OTHER = 0xEE06,
    NODE_DUMMY = 0xEE07,
};

class cSceneNode {
public:
    explicit cSceneNode(cScene* scene) : scene(scene) {}
    // Frees the whole subtree and sibling chain without recursion, so a
    // chain of any length unwinds.
    virtual ~cSceneNode();
    cSceneNode(const cSceneNode&) = delete;
    cSceneNode& operator=(const cSceneNode&) = delete;

    // Updates this node, then its children (with its world matrix pushed on
    // the stack), then its younger siblings (with the stack as this node
    // found it), so that every node's world is current before anything is
    // drawn. The walk keeps its own list of open levels instead of
    // recursing: no file can make it run out of stack.
    virtual void Update(float frame, cMatrixStack& stack);

    cScene* scene;
    float time = 0.0f;
    cSceneNode* nextSibling = nullptr;
    cSceneNode* firstChild = nullptr;
    cSceneObject* object = nullptr;
    cMatrix world = MatrixIdentity();
    std::unique_ptr<cTransformTrack> positionTrack;
    std::unique_ptr<cTransformTrack> rotationTrack; // axis-angle, or Euler angles
    std::unique_ptr<cTransformTrack> scaleTrack;

    // As read from the file, for tools that show the tree.
    std::uint32_t kind = NODE_PLAIN;
    std::string name;

private:
    // This node alone: world from the tracks and the parent on top of the stack.
    void UpdateSelf(float frame, const cMatrixStack& stack);
};
