-- Says which object it first collides with, and how many collision events it got in all.
Bouncer = {}
function Bouncer:Init()
    self.hits = 0
end
function Bouncer:OnCollision(otherId, x, y, z)
    if self.hits == 0 then print("Bouncer first hit " .. otherId) end
    self.hits = self.hits + 1
end
function Bouncer:Destroy()
    print("Bouncer hits>0 " .. tostring(self.hits > 0))
end
