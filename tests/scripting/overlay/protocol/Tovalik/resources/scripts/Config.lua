-- Replaces the shipped Config: proves the start files run first, in order.
Config = {}
print("Config ran")
