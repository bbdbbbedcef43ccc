#!/usr/bin/env python3
"""Writes hilly test terrains (sine hills over a 100 x 100 square, Y up) for the ground benchmarks.

    bench/make_terrain.py OUT_FOLDER            # hills_500.obj, hills_1m.obj, hills_1m.ply, hills_1m.glb
    bench/make_terrain.py OUT_FOLDER --huge     # also hills_5m.obj, .ply and .stl (5,000,000 triangles)

hills_500 is a grid of 500 x 500 squares (500,000 triangles) to grow a field on; hills_1m has
1000 x 500 squares, exactly 1,000,000 triangles, in the three formats a ground is read from.
"""
import json
import math
import os
import struct
import sys

SIZE = 100.0


def height(x, z):
    return (4.0 * math.sin(x * 0.11) * math.cos(z * 0.09) + 1.5 * math.sin(x * 0.37 + z * 0.23)
            + 0.02 * (x - 50.0) * (z - 50.0) * 0.05)


def grid(nx, nz):
    """Vertices row by row (z outer) and the two triangles of every square, counter-clockwise from above."""
    points = []
    for j in range(nz + 1):
        z = SIZE * j / nz
        for i in range(nx + 1):
            x = SIZE * i / nx
            points.append((x, height(x, z), z))
    triangles = []
    for j in range(nz):
        for i in range(nx):
            a = j * (nx + 1) + i
            b, c, d = a + 1, a + nx + 1, a + nx + 2
            triangles.append((a, c, b))
            triangles.append((b, c, d))
    return points, triangles


def write_obj(path, points, triangles):
    with open(path, "w", newline="\n") as f:
        f.write("# sine hills, %d triangles\n" % len(triangles))
        f.write("".join("v %.5f %.5f %.5f\n" % p for p in points))
        f.write("".join("f %d %d %d\n" % (a + 1, b + 1, c + 1) for a, b, c in triangles))


def write_ply(path, points, triangles):
    header = ("ply\nformat binary_little_endian 1.0\nelement vertex %d\nproperty float x\nproperty float y\n"
              "property float z\nelement face %d\nproperty list uchar int vertex_indices\nend_header\n"
              % (len(points), len(triangles)))
    with open(path, "wb") as f:
        f.write(header.encode("ascii"))
        f.write(b"".join(struct.pack("<3f", *p) for p in points))
        f.write(b"".join(struct.pack("<B3i", 3, *t) for t in triangles))


def write_stl(path, points, triangles):
    with open(path, "wb") as f:
        f.write(b"sine hills".ljust(80, b" ") + struct.pack("<I", len(triangles)))
        f.write(b"".join(struct.pack("<12fH", 0, 0, 0, *points[a], *points[b], *points[c], 0) for a, b, c in triangles))


def write_glb(path, points, triangles):
    positions = b"".join(struct.pack("<3f", *p) for p in points)
    indices = b"".join(struct.pack("<3I", *t) for t in triangles)
    lows = [min(p[k] for p in points) for k in range(3)]
    highs = [max(p[k] for p in points) for k in range(3)]
    document = {
        "asset": {"version": "2.0"},
        "scene": 0, "scenes": [{"nodes": [0]}], "nodes": [{"mesh": 0, "name": "hills"}],
        "meshes": [{"primitives": [{"attributes": {"POSITION": 0}, "indices": 1}]}],
        "buffers": [{"byteLength": len(positions) + len(indices)}],
        "bufferViews": [{"buffer": 0, "byteOffset": 0, "byteLength": len(positions), "target": 34962},
                        {"buffer": 0, "byteOffset": len(positions), "byteLength": len(indices), "target": 34963}],
        "accessors": [{"bufferView": 0, "componentType": 5126, "count": len(points), "type": "VEC3",
                       "min": lows, "max": highs},
                      {"bufferView": 1, "componentType": 5125, "count": 3 * len(triangles), "type": "SCALAR"}],
    }
    text = json.dumps(document).encode("ascii")
    text += b" " * (-len(text) % 4)
    binary = positions + indices
    binary += b"\0" * (-len(binary) % 4)
    with open(path, "wb") as f:
        f.write(struct.pack("<3I", 0x46546C67, 2, 12 + 8 + len(text) + 8 + len(binary)))
        f.write(struct.pack("<2I", len(text), 0x4E4F534A) + text)
        f.write(struct.pack("<2I", len(binary), 0x004E4942) + binary)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    points, triangles = grid(500, 500)
    write_obj(os.path.join(out, "hills_500.obj"), points, triangles)
    points, triangles = grid(1000, 500)
    write_obj(os.path.join(out, "hills_1m.obj"), points, triangles)
    write_ply(os.path.join(out, "hills_1m.ply"), points, triangles)
    write_glb(os.path.join(out, "hills_1m.glb"), points, triangles)
    if "--huge" in sys.argv[2:]:
        points, triangles = grid(2500, 1000)
        write_obj(os.path.join(out, "hills_5m.obj"), points, triangles)
        write_ply(os.path.join(out, "hills_5m.ply"), points, triangles)
        write_stl(os.path.join(out, "hills_5m.stl"), points, triangles)


if __name__ == "__main__":
    main()
