// COM objects of the module live in malloc'd memory: an allocation failure
// is a null pointer to report as E_OUTOFMEMORY, never an exception.
#pragma once

#include <cstdlib>
#include <new>

namespace zelt {

template <class T>
T* MakeComObject() {
    void* memory = std::malloc(sizeof(T));
    return memory != nullptr ? new (memory) T() : nullptr;
}

template <class T>
void DestroyComObject(T* object) {
    object->~T();
    std::free(object);
}

}  // namespace zelt
