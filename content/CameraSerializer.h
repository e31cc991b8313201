// content/CameraSerializer.h
#pragma once
#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "objects/Camera.h"

namespace zumek {

/// Reads a "camera" component: it has no settings, so the result is a default camera.
class CameraSerializer final : public ContentSerializer<Camera*> {
public:
    CameraSerializer(const tinyxml2::XMLElement& /*element*/, const ComponentSource& /*source*/) {}
    Camera* Deserialize() override { return new Camera(); }
};

} // namespace zumek
