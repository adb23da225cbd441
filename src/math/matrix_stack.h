#pragma once
// A stack of matrices for walking a transform hierarchy: a doubly linked list
// behind a sentinel node, the top of the stack being the first node. The only
// part of the math library that allocates.

#include "math/matrix.h"

class cMatrixStack {
public:
    cMatrixStack();
    ~cMatrixStack();

    // The stack owns its nodes; a copy would free them twice.
    cMatrixStack(const cMatrixStack&) = delete;
    cMatrixStack& operator=(const cMatrixStack&) = delete;

    void push(const cMatrix& matrix);

    // top and pop must not be called on an empty stack; every caller pushes
    // before it pops, so nothing checks.
    cMatrix top() const;
    cMatrix pop();

    // Frees every entry; the stack stays usable.
    void clear();

private:
    struct Node {
        Node* previous;
        Node* next;
        cMatrix matrix;
    };

    Node* sentinel;
};
