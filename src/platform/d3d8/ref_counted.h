#pragma once
// COM-style lifetime: one reference at creation, deleted when the last is released.

#include "platform/d3d8/d3d8.h"

template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++references; }
    ULONG Release() override
    {
        const ULONG remaining = --references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

protected:
    ULONG references = 1;
};
