-- A script class shared by several objects: its file must run once.
print("Counter loaded")
Counter = {}
