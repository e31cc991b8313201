// content/ContentProvider.h
#pragma once
#include <string>

namespace zumek {

/// Reads one piece of content of type T, once: constructed with its input (a key or an XML
/// element), asked once, then destroyed.
template <class T>
class ContentSerializer {
public:
    virtual T Deserialize() = 0;
    virtual ~ContentSerializer() = default;
};

/// Hands out content of type T by key, reading it on a miss and, for most kinds, caching it.
template <class T>
class ContentProvider {
public:
    virtual T Get(const std::string& key) = 0;
    virtual ~ContentProvider() = default;
};

} // namespace zumek
