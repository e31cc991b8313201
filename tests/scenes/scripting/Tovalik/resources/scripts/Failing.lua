-- Fails in every frame's update.
Failing = {}
function Failing:Update(dt)
    local missing = nil
    return missing.value
end
