-- Vec: vectors as userdata, in place and new.
VecCases = {}

function VecCases.BuildGetSet()
    local v = Vec.Build(1, 2, 3)
    Show(type(v), Vec.Get(v))
    Vec.Set(v, 0, 5)
    Vec.Set(v, 2, -1)
    Show(Vec.Get(v))
    Vec.Set(v, 3, 9)  -- outside 0..2: nothing changes
    Vec.Set(v, -1, 9)
    Show(Vec.Get(v))
    Show(Vec.Get(Vec.Build()))  -- missing numbers read as 0
end

function VecCases.InPlace()
    local v = Vec.Build(3, 0, 4)
    Show(Vec.Length(v))
    Vec.Mult(v, 2)
    Show(Vec.Get(v))
    Vec.Normalize(v)
    Show(Vec.Get(v))
    local zero = Vec.Build(0, 0, 0)
    Vec.Normalize(zero)
    Show(Vec.Get(zero))
    local copy = Vec.Build(9, 9, 9)
    Vec.Assign(copy, v)
    Vec.Set(copy, 0, 1)
    Show(Vec.Get(copy))
    Show(Vec.Get(v))
end

function VecCases.NewVectors()
    local a, b = Vec.Build(1, 2, 3), Vec.Build(4, 5, 6)
    Show(Vec.Dot(a, b))
    Show(Vec.Get(Vec.Cross(a, b)))
    Show(Vec.Get(Vec.Add(a, b)))
    Show(Vec.Get(Vec.Minus(a, b)))
    Show(Vec.Get(Vec.Multiply(a, b)))
    Show(Vec.Get(Vec.Division(b, a)))
    Show(Vec.Get(Vec.Negate(a)))
    Show(Vec.AreEqual(a, Vec.Build(1, 2, 3)), Vec.AreEqual(a, b))
    Show(Vec.Get(a))
end

function VecCases.Axis()
    Show(Vec.Get(Vec.GetAxis(Vec.Build(1, 5, 1))))
    Show(Vec.Get(Vec.GetAxis(Vec.Build(-3, 100, 1))))
    Show(Vec.Get(Vec.GetAxis(Vec.Build(0, 0, 0))))
end

function VecCases.Text()
    print(Vec.ToString(Vec.Build(1, 0.5, -2.25)))
    print(Vec.ToString(Vec.Build(0.1, 1e10, 0)))
end

function VecCases.Misuse(pointer)
    Show(Vec.Get(nil))
    Show(Vec.Length({}))
    Show(Vec.Add(Vec.Build(1, 1, 1), 5))
    Show(Vec.Get(pointer))
    Show(Vec.ToString("text"))
    print("still running")
end
