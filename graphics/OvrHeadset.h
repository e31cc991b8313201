// graphics/OvrHeadset.h
#pragma once
#include "graphics/HeadsetBackend.h"
#include "graphics/OvrRuntime.h"

namespace zumek {

/// The headset back end over the runtime library libOVRRT64_0_7.so (OvrRuntime).
class OvrHeadset final : public HeadsetBackend {
public:
    OvrHeadset() = default;
    ~OvrHeadset() override { Close(); }

    bool Open() override;
    std::string Describe() const override;
    glm::ivec2 DisplayResolution() const override;
    bool CreateTargets() override;
    glm::ivec2 EyeSize(int eye) const override;
    bool BeginFrame(HeadsetEyeView views[2]) override;
    unsigned AcquireEyeTexture(int eye) override;
    bool SubmitFrame() override;
    HeadsetMirror Mirror() const override;
    bool HeadsetPresent() override;
    void Close() override;

private:
    OvrRuntime m_runtime;
    bool m_initialized = false; ///< ovr_Initialize succeeded (ovr_Shutdown is owed)
    OvrSession m_session = nullptr;
    OvrHeadsetDesc m_desc{};
    OvrEyeRenderDesc m_eyeRenderDesc[2]{};
    OvrVec3 m_eyeOffset[2]{};
    OvrPose m_eyePose[2]{};
    OvrSize m_eyeSize[2]{};
    OvrSwapTextureSet* m_eyeTextures[2] = {nullptr, nullptr};
    OvrGlTexture* m_mirror = nullptr;
};

} // namespace zumek
