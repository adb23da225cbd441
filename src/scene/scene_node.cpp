#include "scene/scene_node.h"

#include <vector>

#include "scene/scene_object.h"

cSceneNode::~cSceneNode()
{
    std::vector<cSceneNode*> pending;
    if (firstChild != nullptr) pending.push_back(firstChild);
    if (nextSibling != nullptr) pending.push_back(nextSibling);
    while (!pending.empty()) {
        cSceneNode* node = pending.back();
        pending.pop_back();
        if (node->firstChild != nullptr) pending.push_back(node->firstChild);
        if (node->nextSibling != nullptr) pending.push_back(node->nextSibling);
        node->firstChild = nullptr;
        node->nextSibling = nullptr;
        delete node;
    }
}

void cSceneNode::UpdateSelf(float frame, const cMatrixStack& stack)
{
    const cMatrix parent = stack.top();
    world = MatrixIdentity();
    time = frame;
    // Row vectors: scale, then rotate, then translate, then the parent.
    if (scaleTrack) world *= scaleTrack->Evaluate(frame);
    if (rotationTrack) world *= rotationTrack->Evaluate(frame);
    if (positionTrack) world *= positionTrack->Evaluate(frame);
    world *= parent;
    if (object != nullptr) {
        object->Attach(this);
    }
}

void cSceneNode::Update(float frame, cMatrixStack& stack)
{
    std::vector<cSceneNode*> openParents;
    cSceneNode* node = this;
    while (node != nullptr) {
        node->UpdateSelf(frame, stack);
        if (node->firstChild != nullptr) {
            stack.push(node->world);
            openParents.push_back(node);
            node = node->firstChild;
            continue;
        }
        node = node->nextSibling;
        while (node == nullptr && !openParents.empty()) {
            stack.pop();
            node = openParents.back()->nextSibling;
            openParents.pop_back();
        }
    }
}
