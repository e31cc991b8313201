-- Version 1: moves the player aside once, and says which version runs.
Reporter = {}
local VERSION = "v1"
function Reporter:Init()
    self.frames = 0
    local x = Transform.GetPosition(Object.GetTransformComponent(ObjectManager.GetPlayer()))
    Scripting.Log(string.format("Reporter init, player x=%.2f", x))
end
function Reporter:Update(dt)
    self.frames = self.frames + 1
    if self.running ~= VERSION then
        self.running = VERSION
        Scripting.Log("Reporter running " .. VERSION)
    end
    if self.frames == 3 then
        local transform = Object.GetTransformComponent(ObjectManager.GetPlayer())
        local _, y, z = Transform.GetPosition(transform)
        Transform.SetPosition(transform, 1.5, y, z)
        Scripting.Log("Reporter moved the player")
    end
end
