-- Creates a scripted child while it is being attached: the child's attach call nests inside.
Spawner = {}
function Spawner.OnAttach(id)
    local childId = ObjectManager.CreateObject("child")
    print("Spawner " .. id .. " created " .. tostring(childId))
end
