#!/usr/bin/env python3
"""Writes the example lighting scripts in Scripts/ (run from the repository root).

A script is an INI file: [Config] Count and Frequency (ms per frame), [Data] 0..Count-1, each the
Base64 of one frame's JSON: {"Controller": [{"ControllerNum": box, "Fan0": {"R": [12], "G": [12],
"B": [12], "Br": [12]}, ...}]}.
"""
import base64
import colorsys
import json


def fan(colours):
    return {"R": [c[0] for c in colours], "G": [c[1] for c in colours], "B": [c[2] for c in colours],
            "Br": [100] * 12}


def write(path, frequency, frames):
    lines = ["[Config]", f"Count={len(frames)}", f"Frequency={frequency}", "", "[Data]"]
    for i, frame in enumerate(frames):
        text = json.dumps(frame, separators=(",", ":")).encode()
        lines.append(f"{i}={base64.b64encode(text).decode()}")
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def rainbow():
    # A hue ring turning one LED per frame on every fan of boxes 0 and 1.
    frames = []
    for f in range(12):
        ring = []
        for k in range(12):
            r, g, b = colorsys.hsv_to_rgb(((k + f) % 12) / 12, 1, 1)
            ring.append((int(r * 255), int(g * 255), int(b * 255)))
        controllers = [{"ControllerNum": box, **{f"Fan{n}": fan(ring) for n in range(5)}} for box in (0, 1)]
        frames.append({"Controller": controllers})
    return frames


def police():
    # Red and blue halves swapping, fans 1, 3, 5 against fans 2 and 4.
    red, blue, dark = (255, 0, 0), (0, 0, 255), (0, 0, 0)
    frames = []
    for f in range(4):
        flash = f % 2 == 0
        a = [red if k < 6 else blue for k in range(12)] if flash else [dark] * 12
        b = [blue if k < 6 else red for k in range(12)] if flash else [dark] * 12
        fans = {f"Fan{n}": fan(a if n % 2 == 0 else b) for n in range(5)}
        frames.append({"Controller": [{"ControllerNum": 0, **fans}]})
    return frames


write("Scripts/Rainbow.ini", 80, rainbow())
write("Scripts/Police.ini", 150, police())
