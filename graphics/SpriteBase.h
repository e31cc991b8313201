// graphics/SpriteBase.h
#pragma once
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "graphics/SpriteGpu.h"
#include "objects/Component.h"

namespace zumek {

/// A texture assigned to a sprite slot, as the description named it.
struct SpriteTextureRecord {
    std::string slotName; ///< "MAIN_TEXTURE", "INFO_TEXTURE" or "NORMAL_MAP_TEXTURE"
    std::string fileName; ///< texture key below resources/textures/
    std::string extra;
};

/// The common base of drawable meshes (Sprite, Hud, AnimatedSprite): what to draw and how, as
/// plain settings. GL resources (program, buffers, textures, uniform locations) are created by
/// the renderer on first draw, when a context exists; a component read from a file holds none,
/// so a copy of a prototype shares nothing.
class SpriteBase : public Component {
public:
    /// Texture slots and their names.
    static constexpr int kMainTextureSlot = 0;
    static constexpr int kInfoTextureSlot = 1;
    static constexpr int kNormalMapSlot = 2;
    /// The slot of a slot name, or -1 for a name no sprite has.
    static int SlotIndex(const std::string& slotName);

    void Initialize() override {}
    void Respawn() override {}

    /// The model key (below resources/models/, suffix ".model").
    void SetModel(const std::string& modelName) { m_modelName = modelName; }
    /// The effect selecting the fragment subroutine ("NORMAL_SHADER", "PHONG_SHADER",
    /// "NOISE_FX", "NOISE_CHRISTAL"); also the shader name shown in listings.
    void SetEffect(const std::string& effectKey) {
        m_effectKey = effectKey;
        m_shaderName = effectKey;
    }
    /// The shader program key; "GBUFFER_SHADER" unless set.
    void SetProgram(const std::string& programKey) { m_programKey = programKey; }
    /// Assigns texture `fileName` to the slot named `slotName`; false (nothing changes) for a slot
    /// name no sprite has. Replaces the record of the same slot.
    bool SetTexture(const std::string& slotName, const std::string& fileName);
    /// Diffuse colour and debug-box colour, each component 0..1.
    void SetColor(const glm::vec3& color) {
        m_diffuseColor = color;
        m_boundingColor = color;
    }
    /// Texture repetition factor ("MultiplierTexture").
    void SetMultiplier(int multiplier) { m_multiplier = multiplier; }
    void SetShowBox(bool showBox) { m_showBox = showBox; }
    /// The owner's number, written as the pick id of every drawn pixel.
    void SetPickId(int pickId) { m_pickId = pickId; }
    /// A hidden sprite draws nothing.
    void SetHidden(bool hidden) { m_hidden = hidden; }

    const std::string& GetModel() const { return m_modelName; }
    const std::string& GetEffect() const { return m_effectKey; }
    const std::string& GetShaderName() const { return m_shaderName; }
    const std::string& GetProgramKey() const { return m_programKey; }
    const std::vector<SpriteTextureRecord>& GetTextures() const { return m_textures; }
    const glm::vec3& GetColor() const { return m_diffuseColor; }
    const glm::vec3& GetBoundingColor() const { return m_boundingColor; }
    int GetMultiplier() const { return m_multiplier; }
    bool GetShowBox() const { return m_showBox; }
    int GetPickId() const { return m_pickId; }
    bool IsHidden() const { return m_hidden; }
    bool UsesTexture() const { return m_useTexture; }
    bool UsesNormalMap() const { return m_useNormal; }

    /// The GL side, built by the SpriteRenderer on first draw (empty in every copy).
    SpriteGpu& Gpu() { return m_gpu; }

protected:
    SpriteBase() = default;
    SpriteBase(const SpriteBase&) = default;

private:
    std::string m_modelName;
    std::string m_shaderName;
    std::string m_effectKey = "NORMAL_SHADER";
    std::string m_programKey = "GBUFFER_SHADER";
    std::vector<SpriteTextureRecord> m_textures; ///< assignment order
    glm::vec3 m_diffuseColor{1.0f};
    glm::vec3 m_boundingColor{1.0f};
    int m_multiplier = 1;
    int m_pickId = 0;
    bool m_useTexture = false;
    bool m_useNormal = false;
    bool m_showBox = false;
    bool m_hidden = false;
    SpriteGpu m_gpu;
};

} // namespace zumek
