#pragma once
// `v = {}` on a standard container picks the initializer-list assignment, which only
// clears: the storage stays allocated. Large temporaries that a long run is done with are
// released through this instead, so that what comes next can use their memory.

template <class Container>
void ReleaseStorage(Container& c) {
    Container().swap(c);
}
