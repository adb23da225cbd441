#include "math/matrix_stack.h"

cMatrixStack::cMatrixStack() : sentinel(new Node)
{
    sentinel->previous = sentinel;
    sentinel->next = sentinel;
}

cMatrixStack::~cMatrixStack()
{
    clear();
    delete sentinel;
}

void cMatrixStack::push(const cMatrix& matrix)
{
    Node* node = new Node{sentinel, sentinel->next, matrix};
    sentinel->next->previous = node;
    sentinel->next = node;
}

cMatrix cMatrixStack::top() const
{
    return sentinel->next->matrix;
}

cMatrix cMatrixStack::pop()
{
    Node* node = sentinel->next;
    const cMatrix matrix = node->matrix;
    node->next->previous = sentinel;
    sentinel->next = node->next;
    delete node;
    return matrix;
}

void cMatrixStack::clear()
{
    while (sentinel->next != sentinel) {
        pop();
    }
}
