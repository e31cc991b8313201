-- Takes the walk-forward event every frame as a walking script does, and says at the end in how
-- many frames (and in which of its own frames) it came, and how far the player turned after its
-- 25th frame.
KeyWatcher = {}
function KeyWatcher:Init()
    self.frame = 0
    self.forward = 0
end
function KeyWatcher:Update(dt)
    self.frame = self.frame + 1
    if Input.MoveForward() then
        self.forward = self.forward + 1
        self.first = self.first or self.frame
        self.last = self.frame
    end
    local player = ObjectManager.GetObject("player1")
    if player then
        local _, yaw = Transform.GetRotation(Object.GetTransformComponent(player))
        self.yaw = math.deg(yaw)
        if self.frame == 25 then self.yaw25 = self.yaw end
    end
end
function KeyWatcher:Destroy()
    print("KeyWatcher forward=" .. self.forward .. " span=" .. tostring(self.first) .. ".." .. tostring(self.last))
    print("KeyWatcher turned=" .. math.floor(self.yaw - self.yaw25 + 0.5))
end
