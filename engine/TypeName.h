// engine/TypeName.h
#pragma once
#include <string>
#include <type_traits>
#include <typeinfo>

namespace zumek {

/// The demangled name of a type as the type information gives it ("zumek::LoadLevelSignal").
std::string DemangledName(const std::type_info& info);

/// A readable type name for messages, with its kind in front: "class zumek::LoadLevelSignal",
/// "enum zumek::PlaceId".
template <class T>
std::string ReadableTypeName() {
    return std::string(std::is_enum_v<T> ? "enum " : "class ") + DemangledName(typeid(T));
}

} // namespace zumek
