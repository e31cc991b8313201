-- ForceBeam.lua: the force beam. A ray from the eye along the camera's orientation finds the
-- nearest ball, cube or domino in reach; while the beam fires, that body is pushed along the
-- beam (on the floor plane) and the beam is drawn. Control or a click fires a short pulse;
-- holding the left mouse button or gamepad A keeps it firing.
local Game = require "Game"

local ForceBeam = {}
ForceBeam.__index = ForceBeam

ForceBeam.range = 14.0          -- world units
ForceBeam.pulseSeconds = 0.35   -- one press of Control
ForceBeam.acceleration = 40.0   -- pushed bodies gain this much speed per second (capped by the engine)
ForceBeam.aimSlack = 1.4        -- a body counts as aimed at within this many radii of the ray

function ForceBeam.new()
    return setmetatable({pulse = 0, drawn = false, wasFiring = false}, ForceBeam)
end

-- The nearest pushable object the beam meets: instance, distance. The beam is aimed on the
-- floor plane (the body's circle, a little widened, must lie across the aim) and forgives the
-- vertical aim up to `pitchSlack`, so a ball rolling away stays in the beam without the
-- player tilting the view after it.
ForceBeam.pitchSlack = math.rad(35)

function ForceBeam.Target(ex, ey, ez, dx, dy, dz)
    local hx, hz = dx, dz
    local flat = math.sqrt(hx * hx + hz * hz)
    if flat < 1e-4 then return nil end
    hx, hz = hx / flat, hz / flat
    local aimPitch = math.atan(dy, flat)
    local best, bestT = nil, ForceBeam.range
    for tag in pairs(Game.movableTags) do
        for _, instance in ipairs(Game.All(tag)) do
            local cx, cy, cz = Game.Position(instance)
            local sx, sy, sz = Game.Scale(instance)
            local radius = math.max(sx, sz) * 0.5 * ForceBeam.aimSlack
            local t = Game.RaySphere(ex, 0, ez, hx, 0, hz, cx, 0, cz, radius)
            if t and t < bestT then
                local mx, my, mz = cx - ex, cy - ey, cz - ez
                local pitch = math.atan(my, math.sqrt(mx * mx + mz * mz))
                if math.abs(pitch - aimPitch) < ForceBeam.pitchSlack then best, bestT = instance, t end
            end
        end
    end
    return best, bestT
end

-- While the beam keeps firing it holds on to its target as long as the target stays within
-- `holdAngle` of the aim and in range, so a ball deflected by a wall is still pushed.
ForceBeam.holdAngle = math.rad(25)

function ForceBeam.StillHeld(target, ex, ey, ez, dx, dy, dz)
    if not target or target.destroyed or not target.object then return nil end
    local cx, cy, cz = Game.Position(target)
    local mx, mz = cx - ex, cz - ez
    local distance = math.sqrt(mx * mx + mz * mz)
    local flat = math.sqrt(dx * dx + dz * dz)
    if distance > ForceBeam.range or distance < 1e-3 or flat < 1e-4 then return nil end
    local cosine = (mx * dx + mz * dz) / (distance * flat)
    if cosine < math.cos(ForceBeam.holdAngle) then return nil end
    return target, distance
end

function ForceBeam:Hide()
    if self.drawn then
        Sprite.DrawRay(0, -1000, 0, 0, -1000, 0)
        self.drawn = false
    end
end

-- Returns the instance aimed at (whether or not the beam fires).
function ForceBeam:Update(dt, input)
    if input.fire then self.pulse = ForceBeam.pulseSeconds end
    local firing = self.pulse > 0 or input.fireHeld
    self.pulse = math.max(0, self.pulse - dt)

    local ex, ey, ez = Game.Eye()
    if not ex then
        self:Hide()
        return nil
    end
    local dx, dy, dz = Game.Normalize(Camera.GetOrientation())
    local target, t = nil, nil
    if firing and self.wasFiring then target, t = ForceBeam.StillHeld(self.held, ex, ey, ez, dx, dy, dz) end
    if not target then target, t = ForceBeam.Target(ex, ey, ez, dx, dy, dz) end
    self.held = firing and target or nil
    if not firing then
        self.wasFiring = false
        self:Hide()
        return target
    end
    if not self.wasFiring then Sound.PlayEffect("Beam") end
    self.wasFiring = true

    -- The beam leaves from below the eye, as from the player's hand, and ends on its target.
    local tx, ty, tz
    if target then
        tx, ty, tz = Game.Position(target)
    else
        tx, ty, tz = ex + dx * ForceBeam.range, ey + dy * ForceBeam.range, ez + dz * ForceBeam.range
    end
    Sprite.DrawRay(ex + dx * 0.4, ey - 0.3, ez + dz * 0.4, tx, ty, tz)
    self.drawn = true
    if target and not target.beamProof then
        local body = Game.Body(target)
        local hx, hz = dx, dz
        local length = math.sqrt(hx * hx + hz * hz)
        if body and length > 1e-4 then
            local force = Body.GetMass(body) * ForceBeam.acceleration
            Body.AddForce(body, hx / length * force, 0, hz / length * force)
        end
    end
    return target
end

return ForceBeam
