// physics/Material.h
#pragma once
#include <cstdint>

namespace zumek {

/// The surface and mass properties of a body, by material id.
struct Material {
    int32_t id;
    const char* name;    ///< the name level files use
    float density;       ///< mass per unit volume
    float restitution;   ///< 0 = no bounce, 1 = fully elastic
    float linearDamping; ///< factor on horizontal velocity per step
};

inline constexpr Material kMaterials[] = {
    {0, "Ground", 100.0f, 0.2f, 0.95f},      {1, "Wall", 100.0f, 0.33f, 0.95f},
    {2, "Ball", 100.0f, 0.45f, 0.95f},       {3, "Cube", 25.0f, 0.25f, 0.95f},
    {4, "Domino", 5.0f, 0.1f, 0.95f},        {5, "BouncyWall", 100.0f, 0.9f, 0.95f},
    {6, "BlackMagic", 1.0f, 0.0f, 0.79f},
};
inline constexpr int32_t kMaterialCount = static_cast<int32_t>(sizeof(kMaterials) / sizeof(kMaterials[0]));
/// The material an unknown name or id stands for.
inline constexpr int32_t kFallbackMaterial = 1;

/// The material of `id`; an id outside the table gives "Wall".
inline const Material& MaterialById(int32_t id) {
    return kMaterials[(id >= 0 && id < kMaterialCount) ? id : kFallbackMaterial];
}

} // namespace zumek
