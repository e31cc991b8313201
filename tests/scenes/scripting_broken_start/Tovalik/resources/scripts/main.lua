-- A start file that does not even compile: the game must run on without scripts.
function InitializeScriptingSystem(
