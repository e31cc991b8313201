// graphics/OvrRuntimeApi.h
// The headset runtime's C interface: the plain records it exchanges and its entry points. The
// runtime is a shared library (libOVRRT64_0_7.so) found and bound by name at run time
// (OvrRuntime); the headset simulator (headset-simulator/) implements the same entry points.
// Nothing here is used outside the headset code.
#pragma once
#include <cstdint>

extern "C" {

typedef int32_t OvrResult; ///< negative: failure
typedef struct OvrSessionRecord* OvrSession;

struct OvrLuid { char bytes[8]; };
struct OvrSize { int32_t width; int32_t height; };
struct OvrRect { int32_t x; int32_t y; int32_t width; int32_t height; };
struct OvrQuat { float x; float y; float z; float w; };
struct OvrVec3 { float x; float y; float z; };
/// Orientation, then position in metres, in the runtime's tracking space (y up, -z forward).
struct OvrPose { OvrQuat orientation; OvrVec3 position; };
/// A field of view as the tangents of its four half angles.
struct OvrFov { float upTan; float downTan; float leftTan; float rightTan; };

enum : int32_t { OVR_HEADSET_NONE = 0, OVR_HEADSET_SIMULATED = 100 };
enum : uint32_t { OVR_TRACK_ORIENTATION = 0x10, OVR_TRACK_YAW_CORRECTION = 0x20, OVR_TRACK_POSITION = 0x40 };
enum : int32_t { OVR_LAYER_EYE_FOV = 1 };
enum : uint32_t { OVR_LAYER_TEXTURE_ORIGIN_BOTTOM_LEFT = 2 };

struct OvrHeadsetDesc {
    int32_t type; ///< OVR_HEADSET_NONE when no headset is connected
    char productName[64];
    OvrSize resolution; ///< both eyes' display, in pixels
    OvrFov defaultEyeFov[2];
    float refreshRate;
};

struct OvrEyeRenderDesc {
    int32_t eye;
    OvrFov fov;
    OvrVec3 hmdToEyeViewOffset; ///< from the head's centre to the eye, in metres
};

struct OvrFrameTiming { double displayMidpointSeconds; double frameIntervalSeconds; };
struct OvrTrackingState { OvrPose headPose; double sampleTime; uint32_t statusFlags; };

struct OvrGlTexture { uint32_t textureId; OvrSize size; };
/// A chain of textures the runtime reads in turn; the application renders into
/// textures[currentIndex] after advancing it.
struct OvrSwapTextureSet { OvrGlTexture* textures; int32_t textureCount; int32_t currentIndex; };

struct OvrViewScaleDesc { OvrVec3 hmdToEyeViewOffset[2]; float hmdSpaceToWorldScaleInMeters; };
struct OvrLayerHeader { int32_t type; uint32_t flags; };
struct OvrLayerEyeFov {
    OvrLayerHeader header;
    OvrSwapTextureSet* colorTexture[2];
    OvrRect viewport[2];
    OvrFov fov[2];
    OvrPose renderPose[2];
};

OvrResult ovr_Initialize(const void* params);
OvrResult ovr_Create(OvrSession* session, OvrLuid* luid);
OvrHeadsetDesc ovr_GetHmdDesc(OvrSession session);
OvrResult ovr_ConfigureTracking(OvrSession session, uint32_t supportedCaps, uint32_t requiredCaps);
OvrSize ovr_GetFovTextureSize(OvrSession session, int32_t eye, OvrFov fov, float pixelsPerDisplayPixel);
OvrResult ovr_CreateSwapTextureSetGL(OvrSession session, uint32_t format, int32_t width, int32_t height,
                                     OvrSwapTextureSet** set);
OvrResult ovr_CreateMirrorTextureGL(OvrSession session, uint32_t format, int32_t width, int32_t height,
                                    OvrGlTexture** texture);
OvrEyeRenderDesc ovr_GetRenderDesc(OvrSession session, int32_t eye, OvrFov fov);
OvrFrameTiming ovr_GetFrameTiming(OvrSession session, uint32_t frameIndex);
OvrTrackingState ovr_GetTrackingState(OvrSession session, double absoluteTime);
OvrResult ovr_SubmitFrame(OvrSession session, uint32_t frameIndex, const OvrViewScaleDesc* viewScale,
                          const OvrLayerHeader* const* layers, uint32_t layerCount);
void ovr_DestroyMirrorTexture(OvrSession session, OvrGlTexture* texture);
void ovr_DestroySwapTextureSet(OvrSession session, OvrSwapTextureSet* set);
void ovr_Destroy(OvrSession session);
void ovr_Shutdown(void);

} // extern "C"

/// Every entry point the engine binds, in the order it looks them up.
#define OVR_RUNTIME_ENTRY_POINTS(X)                                                                                   \
    X(ovr_Initialize)                                                                                                 \
    X(ovr_Create)                                                                                                     \
    X(ovr_GetHmdDesc)                                                                                                 \
    X(ovr_ConfigureTracking)                                                                                          \
    X(ovr_GetFovTextureSize)                                                                                          \
    X(ovr_CreateSwapTextureSetGL)                                                                                     \
    X(ovr_CreateMirrorTextureGL)                                                                                      \
    X(ovr_GetRenderDesc)                                                                                              \
    X(ovr_GetFrameTiming)                                                                                             \
    X(ovr_GetTrackingState)                                                                                           \
    X(ovr_SubmitFrame)                                                                                                \
    X(ovr_DestroyMirrorTexture)                                                                                       \
    X(ovr_DestroySwapTextureSet)                                                                                      \
    X(ovr_Destroy)                                                                                                    \
    X(ovr_Shutdown)

/// The runtime library's file name.
#define OVR_RUNTIME_LIBRARY_NAME "libOVRRT64_0_7.so"
