-- Fails while its main chunk runs.
print("Broken runs")
local nothing = nil
nothing.field = 1
