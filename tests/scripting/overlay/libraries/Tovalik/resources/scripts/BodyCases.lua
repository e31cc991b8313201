-- Body and Physics: a body's motion state as scripts see it, and the ray test.
BodyCases = {}

local function BodyOf(id)
    return Object.GetBodyComponent(ObjectManager.GetObject(id))
end

function BodyCases.Motion(id)
    local body = BodyOf(id)
    Show(Body.GetVelocity(body))
    Body.SetVelocity(body, 1, 2, 3)
    Body.AddVelocity(body, 1, 1, 1)
    Show(Body.GetVelocity(body))
    Body.SetDamping(body, 0.5)
    Body.SetGravityScale(body, 2)
    Show(Body.GetDamping(body), Body.GetGravityScale(body))
    Body.SetAccelaration(body, 1, 2, 3)
    Show(Body.GetAcceleration(body))
    Body.SetKinematic(body, 1)
    Show(Body.IsKinematic(body), type(Body.IsKinematic(body)))
end

function BodyCases.Mass(id)
    local body = BodyOf(id)
    local before = Body.GetMass(body)
    Body.SetMass(body, 2)
    Show(Body.GetMass(body) == before, before > 0)
    Body.SetMass(body, 0)
    Show(Body.GetMass(body))
end

function BodyCases.Force(id, x, y, z)
    Body.AddForce(BodyOf(id), x, y, z)
end

function BodyCases.Ray(ox, oy, oz, tx, ty, tz, tag)
    local object, hx, hy, hz, dx, dy, dz = Physics.Raycast(ox, oy, oz, tx, ty, tz, tag)
    Show(object and Object.GetId(object) or "none", hx, hy, hz, dx, dy, dz)
end
