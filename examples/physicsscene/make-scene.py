#!/usr/bin/env python3
"""Writes the physics scene of this example (scene.json, meters with y up) and its
pictures (small PNG files drawn here, no image library needed).

Run it from anywhere: python3 examples/physicsscene/make-scene.py [output folder]
"""
import json
import math
import os
import struct
import sys
import zlib

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))


def write_png(name, size, pixel):
    """pixel(x, y) -> (r, g, b, a) for a size x size picture."""
    rows = b"".join(b"\0" + b"".join(struct.pack("4B", *pixel(x, y)) for x in range(size)) for y in range(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(png)


def crate(x, y):
    edge = x < 4 or y < 4 or x > 59 or y > 59
    diagonal = abs(x - y) < 4 or abs(x + y - 63) < 4
    if edge or diagonal:
        return (120, 72, 30, 255)
    return (196, 140, 70, 255) if (y // 8) % 2 else (184, 128, 62, 255)


def ball(x, y):
    d = math.hypot(x - 31.5, y - 31.5)
    if d > 31:
        return (0, 0, 0, 0)
    shade = max(0.0, 1.0 - math.hypot(x - 22, y - 22) / 48)
    return (int(40 + 120 * shade), int(120 + 100 * shade), int(200 + 55 * shade), 255)


def blade(x, y):
    arm = abs(x - 31.5) < 4 or abs(y - 31.5) < 4
    hub = math.hypot(x - 31.5, y - 31.5) < 7
    if hub:
        return (80, 80, 90, 255)
    return (236, 236, 226, 255) if arm else (0, 0, 0, 0)


def plank(x, y):
    return (150, 98, 48, 255) if 2 < y < 61 else (110, 70, 30, 255)


def ground(x, y):
    if y < 10:
        return (96, 170, 80, 255)
    return (120, 92, 60, 255) if (x // 8 + y // 8) % 2 else (132, 102, 68, 255)


def box(half_w, half_h, cx=0.0, cy=0.0):
    return {"vertices": {"x": [cx - half_w, cx + half_w, cx + half_w, cx - half_w],
                         "y": [cy - half_h, cy - half_h, cy + half_h, cy + half_h]}}


def corners(half_w, half_h, cx=0.0, cy=0.0):
    return {"x": [cx - half_w, cx + half_w, cx + half_w, cx - half_w],
            "y": [cy - half_h, cy - half_h, cy + half_h, cy + half_h]}


bodies, images, joints = [], [], []


def add_body(body, picture=None, half=None, order=1):
    bodies.append(body)
    if picture:
        images.append({"name": picture, "file": picture + ".png", "body": len(bodies) - 1,
                       "corners": corners(*half), "filter": 1, "renderOrder": order})
    return len(bodies) - 1


add_body({"name": "ground", "type": 0, "position": {"x": 7.5, "y": 0.5},
          "fixture": [{"friction": 0.8, "polygon": box(7.5, 0.5)}]}, "ground", (7.5, 0.5))
post = add_body({"name": "post", "type": 0, "position": {"x": 11.5, "y": 4.6},
                 "fixture": [{"polygon": box(0.12, 1.8, 0, -1.8)}]}, "plank", (0.12, 1.8, 0, -1.8), 0)
rotor = add_body({"name": "rotor", "type": 2, "position": {"x": 11.5, "y": 4.6},
                  "fixture": [{"density": 1, "polygon": box(1.4, 0.12)}, {"density": 1, "polygon": box(0.12, 1.4)}]},
                 "blade", (1.4, 1.4))
joints.append({"type": "revolute", "name": "windmill", "bodyA": post, "bodyB": rotor, "anchorA": 0, "anchorB": 0,
               "enableMotor": True, "motorSpeed": 1.5, "maxMotorTorque": 400, "enableLimit": False})
pivot = add_body({"name": "pivot", "type": 0, "position": {"x": 4.0, "y": 1.5},
                  "fixture": [{"polygon": box(0.2, 0.5, 0, 0)}]}, "plank", (0.2, 0.5), 0)
seesaw = add_body({"name": "seesaw", "type": 2, "position": {"x": 4.0, "y": 2.1},
                   "fixture": [{"density": 2, "friction": 0.9, "polygon": box(2.2, 0.1)}]}, "plank", (2.2, 0.1))
joints.append({"type": "revolute", "name": "seesaw", "bodyA": pivot, "bodyB": seesaw, "anchorA": {"x": 0, "y": 0.6},
               "anchorB": 0, "enableLimit": True, "lowerLimit": -0.35, "upperLimit": 0.35, "enableMotor": False})
add_body({"name": "paddle", "type": 1, "position": {"x": 8.0, "y": 3.0}, "angularVelocity": -1.2,
          "fixture": [{"friction": 0.5, "polygon": box(1.0, 0.1)}]}, "plank", (1.0, 0.1))
for i, (x, y, angle) in enumerate([(3.0, 6.0, 0.3), (4.6, 8.0, -0.2), (5.6, 6.5, 0.0)]):
    add_body({"name": "crate%d" % i, "type": 2, "position": {"x": x, "y": y}, "angle": angle,
              "fixture": [{"density": 1, "friction": 0.6, "polygon": box(0.45, 0.45)}],
              "customProperties": [{"name": "qmlType", "string": "Crate"}, {"name": "points", "int": 10 * (i + 1)}]},
             "crate", (0.45, 0.45))
for i, (x, y) in enumerate([(8.2, 8.0), (9.6, 9.0)]):
    add_body({"name": "ball%d" % i, "type": 2, "position": {"x": x, "y": y},
              "fixture": [{"density": 1, "restitution": 0.5, "circle": {"center": 0, "radius": 0.4}}]},
             "ball", (0.4, 0.4))

scene = {"gravity": {"x": 0, "y": -10}, "allowSleep": True, "autoClearForces": True,
         "positionIterations": 3, "velocityIterations": 8, "stepsPerSecond": 60,
         "body": bodies, "image": images, "joint": joints}

with open(os.path.join(OUT, "scene.json"), "w") as f:
    json.dump(scene, f, indent=1, sort_keys=True)
    f.write("\n")
for name, draw in [("crate", crate), ("ball", ball), ("blade", blade), ("plank", plank), ("ground", ground)]:
    write_png(name + ".png", 64, draw)
