-- Uses the libraries that reach the renderer, the sound engine and the caption, then quits.
Quitter = {}
function Quitter:Init()
    self.frames = 0
    Sound.StartMusic("music")
    Sound.PlayEffect("button")
    Sound.Play3DSound("hum", 0, 1, 4)
    Sound.UpdateListener(0, 1, 0)
    SpeechWindow.SetText("Welcome")
    Camera.Fade(0.05)
end
function Quitter:Update(dt)
    self.frames = self.frames + 1
    Sprite.DrawRay(0, 1, 0, 0, 1, 4)
    Sprite.SetColor(Object.GetSpriteComponent(self.object), self.frames / 10, 0, 0)
    if self.frames == 10 then
        print("Quitter quits at frame 10")
        SettingManager.QuitGame()
    end
end
