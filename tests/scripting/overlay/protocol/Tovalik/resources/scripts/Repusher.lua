-- Pushes its own place again, once, while it is being attached: the level is read a second time
-- while the first push is still creating that level's objects.
Repusher = {}
function Repusher.OnAttach(id)
    if Repushed then return end
    Repushed = true
    PlaceManager.Push("again")
    print("Repusher " .. id .. " pushed again")
end
