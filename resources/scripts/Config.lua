-- Config.lua: game-wide switches, run first of the start scripts. Other scripts read them from
-- the global table Config; a user copy of this file (in the documents folder) overrides it.
Config = {
    -- The place the menus return to.
    menuPlace = "mainmenu",
    -- Seconds the splash screen stays before the main menu.
    splashSeconds = 3.0,
    -- Forces applied by the player controls, in engine units.
    moveForce = 40.0,
    jumpVelocity = 4.0,
    -- Distance (world units) at which an object counts as having reached its goal.
    goalReach = 1.5,
    -- Print the protocol calls to standard output (for debugging scripts).
    traceProtocol = false,
}
