-- Show(...): prints its arguments on one line, separated by spaces, numbers with four significant
-- digits and userdata (engine pointers and vectors alike) as "ud", so tests compare stable text.
function Show(...)
    local parts = {}
    for i = 1, select("#", ...) do
        local value = select(i, ...)
        if type(value) == "number" then
            if math.abs(value) < 1e-6 then value = 0 end
            value = string.format("%.4g", value)
            if value == "-0" then value = "0" end
        elseif type(value) == "userdata" then
            value = "ud"
        end
        parts[#parts + 1] = tostring(value)
    end
    print(table.concat(parts, " "))
end
