#!/usr/bin/env python3
"""Lays out a small demo game installation: main and mainex with .pk3 archives and loose .bsp
files of every map family, for the launcher's demo and its end-to-end tests.

usage: make-demo-game.py FOLDER
"""
import os
import sys
import zipfile

# Archive entries: (folder, archive, entries). Names keep their letter case, as in real data.
ARCHIVES = [
    ("main", "pak0.pk3", [
        "maps/DM/harbour.bsp", "maps/DM/quarry.bsp", "maps/DM/foundry.bsp",
        "maps/obj/bridge.bsp", "maps/obj/dam_TOW.bsp", "textures/stone.tga", "scripts/harbour.shader",
    ]),
    ("main", "pak1.pk3", ["maps/DM/rooftops.bsp", "maps/obj/radar.bsp", "sound/wind.wav"]),
    ("mainex", "expansion.pk3", [
        "maps/DM/marsh.bsp", "maps/DM/harbour.bsp", "maps/obj/convoy.bsp", "maps/obj/fortress_TOW.bsp",
    ]),
]

LOOSE = [
    "mainex/maps/dm/lighthouse.bsp", "main/maps/dm/cellar.bsp", "main/maps/dm/quarry.bsp",
    "mainex/maps/obj/outpost.bsp", "mainex/maps/obj/ridge_tow.bsp", "main/maps/obj/canal_tow.bsp",
]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = sys.argv[1]
    for folder, name, entries in ARCHIVES:
        os.makedirs(os.path.join(root, folder), exist_ok=True)
        with zipfile.ZipFile(os.path.join(root, folder, name), "w", zipfile.ZIP_DEFLATED) as archive:
            for entry in entries:
                archive.writestr(entry, "demo data for " + entry + "\n")
    for relative in LOOSE:
        path = os.path.join(root, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as loose:
            loose.write(b"demo map\n")


if __name__ == "__main__":
    main()
