#!/usr/bin/env python3
"""Writes SOURCE in the LZ format to TARGET: make_szdd.py SOURCE TARGET.
The expanded name is TARGET's name with its final "_" replaced by SOURCE's
last character."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import szdd  # noqa: E402


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_szdd.py SOURCE TARGET")
    source, target = sys.argv[1], sys.argv[2]
    with open(source, "rb") as f:
        data = f.read()
    blob = szdd.compress(data, os.path.basename(source)[-1])
    if szdd.expand(blob) != data:
        sys.exit("make_szdd.py: the compressed file does not expand to its source")
    tmp = target + ".tmp"
    with open(tmp, "wb") as f:
        f.write(blob)
    os.replace(tmp, target)


if __name__ == "__main__":
    main()
