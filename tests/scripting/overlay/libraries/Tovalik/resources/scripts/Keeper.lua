-- Keeps its object's pointers in globals, past the object's destruction, and keeps using them.
Keeper = {}

function Keeper:Init()
    KeptObject = self.object
    KeptTransform = Object.GetTransformComponent(self.object)
    KeptBody = Object.GetBodyComponent(self.object)
    KeptSprite = Object.GetSpriteComponent(self.object)
end

function Keeper.UseKept()
    Show(Object.GetId(KeptObject), Object.GetTransformComponent(KeptObject), Object.IsAtGoal(KeptObject))
    Show(Transform.GetPosition(KeptTransform))
    Transform.SetPosition(KeptTransform, 1, 2, 3)
    Body.AddForce(KeptBody, 1, 1, 1)
    Show(Body.GetMass(KeptBody))
    Sprite.SetColor(KeptSprite, 1, 0, 0)
    print("still running")
end
