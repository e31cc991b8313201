// graphics/PickingListenerSerializer.h
#pragma once
#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/PickingListener.h"

namespace zumek {

/// Reads a "pickinglistener" component: it has no settings, so the result is a default listener.
class PickingListenerSerializer final : public ContentSerializer<PickingListener*> {
public:
    PickingListenerSerializer(const tinyxml2::XMLElement& /*element*/, const ComponentSource& /*source*/) {}
    PickingListener* Deserialize() override { return new PickingListener(); }
};

} // namespace zumek
