-- Counts its frames, moves its object a little each frame, and says how far it got when its
-- object is destroyed at the end of the run.
Ticker = {}
function Ticker:Init()
    self.frames = 0
    self.transform = Object.GetTransformComponent(self.object)
end
function Ticker:Update(dt)
    self.frames = self.frames + 1
    local x, y, z = Transform.GetPosition(self.transform)
    Transform.SetPosition(self.transform, x + dt, y, z)
end
function Ticker:Destroy()
    print("Ticker frames=" .. self.frames)
end
