-- Sprite, Light, Particles, PickingListener, Camera and SpeechWindow on a rich object.
GraphicsCases = {}

local function Rich() return ObjectManager.GetObject("rich") end

function GraphicsCases.Drawables()
    local object = Rich()
    Sprite.SetColor(Object.GetSpriteComponent(object), 0.25, 0.5, 1)
    Sprite.Hide(Object.GetSpriteComponent(object), true)
    Light.SetColor(Object.GetLightComponent(object), 1, 0.5, 0)
    Sprite.DrawRay(1, 2, 3, 4, 5, 6)
end

function GraphicsCases.Particles()
    local particles = Object.GetParticleComponent(Rich())
    Particles.SetParameter(particles, 2, 1, 2, 3)
    Particles.SetParameter(particles, 0, 7, 8, 9)
    Particles.SetParameter(particles, 64, 1, 1, 1)  -- beyond the programs' parameters: refused
    Particles.SetParameter(particles, -1, 1, 1, 1)
    Particles.EnableRender(particles, 1)
end

function GraphicsCases.Picking()
    local listener = Object.GetPickingListener(Rich())
    Show(PickingListener.GetWorldPosition(listener))
    Show(PickingListener.GetNormal(listener))
    Show(PickingListener.GetID(listener), PickingListener.GetTag(listener))
    PickingListener.SetScreenPosition(listener, 12, 34)
end

function GraphicsCases.Camera()
    local camera = Object.GetCameraComponent(Rich())
    Show(Camera.GetOrientation())
    Show(Camera.GetResolution())
    Camera.AddOrientation(camera, 0.5, 2)
    Camera.AddRotation(camera, 0.25)
    Camera.SetScaleWorld(camera, 3)
    Camera.Fade(0.05)
end

function GraphicsCases.Speech()
    SpeechWindow.SetText("Hello there")
    Show(1)
    SpeechWindow.HideWindow()
    Show(2)
    SpeechWindow.ShowWindow()
end
