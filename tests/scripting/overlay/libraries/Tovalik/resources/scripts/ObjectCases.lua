-- Object, ObjectManager and Transform: finding objects, their components and their placement.
ObjectCases = {}

function ObjectCases.Components(id)
    local object = ObjectManager.GetObject(id)
    Show(Object.GetId(object), Object.GetTag(object))
    Show(Object.GetTransformComponent(object) ~= nil, Object.GetScripComponent(object) ~= nil,
         Object.GetCameraComponent(object) ~= nil, Object.GetLightComponent(object) ~= nil,
         Object.GetScreenQuadComponent(object) ~= nil, Object.GetSpriteComponent(object) ~= nil,
         Object.GetBodyComponent(object) ~= nil, Object.GetPickingListener(object) ~= nil,
         Object.GetParticleComponent(object) ~= nil)
    Show(Object.GetTransformComponent(object) == Object.GetTransformComponent(ObjectManager.GetObject(id)))
end

function ObjectCases.Lookups()
    Show(ObjectManager.GetObject("nobody"), ObjectManager.GetPlayer() ~= nil)
    Show(Object.GetId(ObjectManager.GetPlayer()))
    Show(Object.GetIDObjectFromTag("thing"), Object.GetIDObjectFromTag("no such tag"))
end

function ObjectCases.CreateAndDestroy()
    local id = ObjectManager.CreateObject("thing")
    Show(id, Object.GetTag(ObjectManager.GetObject(id)))
    Show(ObjectManager.CreateObject("no such archetype"))
    ObjectManager.DestroyObject(id)
    Show(ObjectManager.GetObject(id) ~= nil)  -- destroyed at the next frame, not now
    return id
end

function ObjectCases.Placement(id)
    local t = Object.GetTransformComponent(ObjectManager.GetObject(id))
    Show(Transform.GetPosition(t))
    Show(Transform.GetScale(t))
    Show(Transform.GetRotation(t))
    Show(Transform.GetUp(t))
    Transform.SetPosition(t, 4, 5, 6)
    Transform.SetScale(t, 2, 2, 2)
    Transform.SetRotation(t, 0, 0, 90)
    Show(Transform.GetPosition(t))
    Show(Transform.GetScale(t))
    Show(Transform.GetRotation(t))
    Show(Transform.GetUp(t))
    Transform.SetPosition(t, 7)  -- missing numbers read as 0
    Show(Transform.GetPosition(t))
end

function ObjectCases.Goal(id)
    Show(Object.IsAtGoal(ObjectManager.GetObject(id)))
end

function ObjectCases.Respawn()
    local player = ObjectManager.GetPlayer()
    local t = Object.GetTransformComponent(player)
    local body = Object.GetBodyComponent(player)
    Transform.SetPosition(t, 10, 10, 10)
    Body.SetVelocity(body, 1, 2, 3)
    Object.Respawn(player)
    Show(Transform.GetPosition(t))
    Show(Body.GetVelocity(body))
end
