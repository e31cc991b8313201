-- V3.lua: three-component vectors as plain Lua tables {x, y, z}, for script logic that does not
-- need the engine's Vec userdata. V3.FromVec and V3.ToVec convert between the two.
V3 = {}
V3.__index = V3

function V3.New(x, y, z)
    return setmetatable({x = x or 0, y = y or 0, z = z or 0}, V3)
end

function V3.FromVec(v)
    return V3.New(Vec.Get(v))
end

function V3.ToVec(a)
    return Vec.Build(a.x, a.y, a.z)
end

function V3.Copy(a) return V3.New(a.x, a.y, a.z) end
function V3.Add(a, b) return V3.New(a.x + b.x, a.y + b.y, a.z + b.z) end
function V3.Sub(a, b) return V3.New(a.x - b.x, a.y - b.y, a.z - b.z) end
function V3.Scale(a, s) return V3.New(a.x * s, a.y * s, a.z * s) end
function V3.Dot(a, b) return a.x * b.x + a.y * b.y + a.z * b.z end
function V3.Cross(a, b)
    return V3.New(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x)
end
function V3.Length(a) return math.sqrt(V3.Dot(a, a)) end
function V3.Distance(a, b) return V3.Length(V3.Sub(a, b)) end

-- The unit vector along a; a zero vector stays zero.
function V3.Normalize(a)
    local length = V3.Length(a)
    if length == 0 then return V3.New(0, 0, 0) end
    return V3.Scale(a, 1 / length)
end

function V3.Lerp(a, b, t) return V3.Add(a, V3.Scale(V3.Sub(b, a), t)) end
function V3.Unpack(a) return a.x, a.y, a.z end

V3.__add = V3.Add
V3.__sub = V3.Sub
V3.__unm = function(a) return V3.New(-a.x, -a.y, -a.z) end
V3.__eq = function(a, b) return a.x == b.x and a.y == b.y and a.z == b.z end
V3.__tostring = function(a) return string.format("(%g, %g, %g)", a.x, a.y, a.z) end
