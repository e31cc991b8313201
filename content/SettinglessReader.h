// content/SettinglessReader.h
#pragma once
#include <memory>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"

namespace zumek {

/// Reads a component that has no settings ("camera", "pickinglistener"): whatever the element
/// holds, the result is a default C.
template <class C>
class SettinglessReader final : public ContentSerializer<std::unique_ptr<C>> {
public:
    SettinglessReader(const tinyxml2::XMLElement& /*element*/, const ComponentSource& /*source*/) {}
    std::unique_ptr<C> Deserialize() override { return std::make_unique<C>(); }
};

} // namespace zumek
