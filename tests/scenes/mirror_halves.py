#!/usr/bin/env python3
"""Prints "pixels left_spread right_spread difference10" for a headset mirror screenshot of
WIDTH x HEIGHT (8-bit RGB PNG as the game writes it): the brightness spread of each half of the
window (an eye's view: a drawn scene spreads, a flat or black one does not) and ten times the mean
brightness difference between the halves (two eyes see alike, but not the same).
Usage: mirror_halves.py PNG WIDTH HEIGHT"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from image_stats import pixels  # noqa: E402


def spread(values):
    mean = sum(values) / len(values)
    return (sum((v - mean) ** 2 for v in values) / len(values)) ** 0.5


def main():
    path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    values = [0.299 * r + 0.587 * g + 0.114 * b for r, g, b in pixels(path)]
    left = [values[y * width + x] for y in range(height) for x in range(width // 2)]
    right = [values[y * width + x + width // 2] for y in range(height) for x in range(width // 2)]
    difference = sum(abs(a - b) for a, b in zip(left, right)) / len(left)
    print("%d %d %d %d" % (len(values), spread(left), spread(right), difference * 10))


if __name__ == "__main__":
    main()
