-- Math.lua: small numeric helpers the game scripts share.
Math = {}

function Math.Clamp(value, low, high)
    if value < low then return low end
    if value > high then return high end
    return value
end

function Math.Lerp(a, b, t) return a + (b - a) * t end

function Math.Sign(value)
    if value > 0 then return 1 elseif value < 0 then return -1 end
    return 0
end

-- Rounds half away from zero.
function Math.Round(value)
    if value >= 0 then return math.floor(value + 0.5) end
    return -math.floor(-value + 0.5)
end

function Math.Approx(a, b, tolerance) return math.abs(a - b) <= (tolerance or 1e-5) end

function Math.Radians(degrees) return degrees * math.pi / 180 end
function Math.Degrees(radians) return radians * 180 / math.pi end

-- Moves value towards target by at most step.
function Math.MoveTowards(value, target, step)
    if math.abs(target - value) <= step then return target end
    return value + Math.Sign(target - value) * step
end
