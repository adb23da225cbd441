#pragma once
// Keeps the C library from handing large freed blocks back to the kernel.
// A software OpenGL driver allocates and frees large blocks on many draws;
// when the allocator maps each one afresh, every draw page-faults and copies
// into new memory (a slot of the show ran at half speed that way, depending
// only on what earlier frames had freed). Called once, when Direct3D starts.
void KeepLargeAllocationsInTheHeap();
