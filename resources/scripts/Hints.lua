-- Hints.lua: the lines the hint zones speak, by place, then by zone id.
return {
    level6 = {
        hint_start = "Glowing zones are ghosts: nothing bumps into them. Blue ones are checkpoints for the ball.",
        hint_pit = "If the ball falls into the pit, it comes back at the last checkpoint it crossed.",
    },
    level7 = {
        hint_gate = "Roll the ball through the red laser beam to open the door.",
    },
    level8 = {
        hint_start = "Two balls, two goals. Everything you have learned, in one room.",
    },
}
