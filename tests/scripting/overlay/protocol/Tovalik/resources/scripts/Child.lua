Child = {}
