-- Scripting, Sound, SignalManager, SettingManager and PlaceManager: requests posted to the engine.
EngineCases = {}

function EngineCases.Sound()
    Sound.PlayEffect("click")
    Sound.StartMusic("theme")
    Sound.StopMusic("theme")
    Sound.Play3DSound("hum", 1, 2, 3)
    Sound.UpdateSoundPosition("hum", 4, 5, 6)
    Sound.UpdateListener(7, 8, 9)
    Sound.PauseMusic()
    Sound.ResumeMusic()
end

function EngineCases.Signals()
    SignalManager.SignalObjectDestroy("crate1")
end

function EngineCases.Settings()
    Show(SettingManager.Animation(), SettingManager.OculusPresent())
end

function EngineCases.Scripting()
    Scripting.Outputs("debug text")
    Scripting.Outputs(nil)
    Scripting.RequestQueryPicking(100, 50)
end

function EngineCases.Places()
    PlaceManager.Push("second")
    Show(Object.GetIDObjectFromTag("thing"))
    PlaceManager.Pop()
end

function EngineCases.SetPlace(name)
    PlaceManager.Set(name)
end
