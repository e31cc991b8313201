// graphics/OpenXrStruct.h
#pragma once
#include <openxr/openxr.h>

namespace zumek {

/// An OpenXR structure of `type`, every other member zero (next null).
template <class T>
T XrStruct(XrStructureType type) {
    T value{};
    value.type = type;
    return value;
}

} // namespace zumek
