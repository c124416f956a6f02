#!/usr/bin/env python3
"""Writes the sample symbol libraries and technologies in data/.

Lengths are design units of 0.1 um: 25400 is 0.1 inch, the schematic grid; 10000 is
1 mm. The output is formatted as the program writes it (sorted members, two-space
indent, final newline), so loading and saving a sample gives the same bytes.
"""

import json
import pathlib

GRID = 25400
MM = 10000

DATA = pathlib.Path(__file__).resolve().parent.parent / "data"


def point(x, y):
    return {"x": x, "y": y}


def line(layer, width, x1, y1, x2, y2):
    return {"type": "line", "layer": layer, "width": width, "from": point(x1, y1), "to": point(x2, y2)}


def polyline(layer, width, *points):
    return [line(layer, width, *points[i], *points[i + 1]) for i in range(len(points) - 1)]


def rectangle(layer, width, x1, y1, x2, y2, filled=False):
    return {"type": "rectangle", "layer": layer, "width": width, "corner1": point(x1, y1),
            "corner2": point(x2, y2), "filled": filled}


def arc(layer, width, cx, cy, radius, start, sweep):
    return {"type": "arc", "layer": layer, "width": width, "centre": point(cx, cy), "radius": radius,
            "start": start, "sweep": sweep}


def circle(layer, width, cx, cy, radius, filled=False):
    return {"type": "circle", "layer": layer, "width": width, "centre": point(cx, cy), "radius": radius,
            "filled": filled}


def text(layer, width, content, x, y, size, alignment="bottom-left", rotation=0):
    return {"type": "text", "layer": layer, "width": width, "text": content, "position": point(x, y),
            "size": size, "alignment": alignment, "rotation": rotation}


def symbol(name, pads, graphics):
    return {"name": name, "origin": point(0, 0), "pads": pads, "graphics": graphics}


def library(kind, symbols):
    return {"format": "symbol-library", "version": 1, "kind": kind, "symbols": symbols}


def write(name, document):
    text_out = json.dumps(document, indent=2, sort_keys=True, ensure_ascii=False) + "\n"
    (DATA / name).write_text(text_out, encoding="utf-8")


# --- schematic symbols: pins end on the 0.1 inch grid and point away from the body

OUTLINE = "Outline"
LABEL = "Text"
STROKE = 2540
LABEL_SIZE = 15240


def pin(number, name, x, y, length, direction):
    return {"number": number, "name": name, "position": point(x, y), "length": length, "direction": direction}


def reference(content, x, y):
    return text(LABEL, 1524, content, x, y, LABEL_SIZE)


def nand2():
    g = GRID
    bubble = g // 4
    return symbol("NAND2", [
        pin(1, "A", -4 * g, g, 2 * g, "left"),
        pin(2, "B", -4 * g, -g, 2 * g, "left"),
        pin(3, "Y", 4 * g, 0, 4 * g - (2 * g + 2 * bubble), "right"),
    ], polyline(OUTLINE, STROKE, (0, 2 * g), (-2 * g, 2 * g), (-2 * g, -2 * g), (0, -2 * g)) + [
        arc(OUTLINE, STROKE, 0, 0, 2 * g, 270, 180),
        circle(OUTLINE, STROKE, 2 * g + bubble, 0, bubble),
        reference("U?", -2 * g, 2 * g + g // 2),
    ])


def inverter():
    g = GRID
    bubble = g // 4
    return symbol("INV", [
        pin(1, "A", -3 * g, 0, 2 * g, "left"),
        pin(2, "Y", 3 * g, 0, 3 * g - (g + 2 * bubble), "right"),
    ], polyline(OUTLINE, STROKE, (-g, -g), (-g, g), (g, 0), (-g, -g)) + [
        circle(OUTLINE, STROKE, g + bubble, 0, bubble),
        reference("U?", -g, g + g // 2),
    ])


def d_flip_flop():
    g = GRID
    return symbol("DFF", [
        pin(1, "D", -4 * g, 2 * g, 2 * g, "left"),
        pin(2, "CLK", -4 * g, -2 * g, 2 * g, "left"),
        pin(3, "Q", 4 * g, 2 * g, 2 * g, "right"),
        pin(4, "/Q", 4 * g, -2 * g, 2 * g, "right"),
    ], [rectangle(OUTLINE, STROKE, -2 * g, -3 * g, 2 * g, 3 * g)] +
        polyline(OUTLINE, STROKE, (-2 * g, -2 * g + g // 2), (-2 * g + g // 2, -2 * g), (-2 * g, -2 * g - g // 2)) + [
        text(LABEL, 1016, "DFF", 0, 0, 10160, "centre"),
        reference("U?", -2 * g, 3 * g + g // 2),
    ])


def op_amp():
    g = GRID
    return symbol("OPAMP", [
        pin(1, "IN+", -4 * g, -g, 2 * g, "left"),
        pin(2, "IN-", -4 * g, g, 2 * g, "left"),
        pin(3, "OUT", 4 * g, 0, 2 * g, "right"),
    ], polyline(OUTLINE, STROKE, (-2 * g, 2 * g), (2 * g, 0), (-2 * g, -2 * g), (-2 * g, 2 * g)) + [
        text(LABEL, 1016, "-", -2 * g + g // 5, g, 10160, "left"),
        text(LABEL, 1016, "+", -2 * g + g // 5, -g, 10160, "left"),
        reference("U?", 0, g + g // 2),
    ])


def power_unit():
    g = GRID
    return symbol("POWER", [
        pin(1, "VCC", 0, 3 * g, 2 * g, "up"),
        pin(2, "GND", 0, -3 * g, 2 * g, "down"),
    ], [
        rectangle(OUTLINE, STROKE, -g, -g, g, g),
        text(LABEL, 1016, "PWR", 0, 0, 10160, "centre"),
        reference("U?", g + g // 2, 0),
    ])


def resistor():
    g = GRID
    return symbol("RESISTOR", [
        pin(1, "1", -2 * g, 0, g, "left"),
        pin(2, "2", 2 * g, 0, g, "right"),
    ], [
        rectangle(OUTLINE, STROKE, -g, -10160, g, 10160),
        reference("R?", -g, g // 2 + 5080),
    ])


def connector10():
    g = GRID
    pins = [pin(n, str(n), -3 * g, (5 - n) * g, 2 * g, "left") for n in range(1, 11)]
    return symbol("CONN10", pins, [
        rectangle(OUTLINE, STROKE, -g, -6 * g, g, 5 * g),
        reference("J?", -g, 5 * g + g // 2),
    ])


# --- PCB symbols: pin 1 top left, numbered counter-clockwise seen from the top

SILK = "Silkscreen"
COURTYARD = "Courtyard"
ASSEMBLY = "Assembly"
SILK_WIDTH = 1500
COURTYARD_WIDTH = 500
ASSEMBLY_WIDTH = 1000
CLEARANCE = 2500


def land(number, x, y, shape, width, height, drill, name=None):
    return {"number": number, "name": str(number) if name is None else name, "position": point(x, y),
            "shape": shape, "width": width, "height": height, "drill": drill}


def ref_text(y):
    return text(SILK, SILK_WIDTH, "REF", 0, y, MM, "bottom")


def dual_row(count, pitch, row_x):
    """Pad centres of a two-row package: down the left row, then up the right row."""
    half = count // 2
    top = (half - 1) * pitch // 2
    left = [(-row_x, top - i * pitch) for i in range(half)]
    right = [(row_x, -top + i * pitch) for i in range(half)]
    return left + right


def dip(count):
    pitch, row_x, drill, size = GRID, 3 * GRID // 2, 8000, 16000
    centres = dual_row(count, pitch, row_x)
    pads = [land(n, x, y, "rectangle" if n == 1 else "round", size, size, drill)
            for n, (x, y) in enumerate(centres, start=1)]
    top = centres[0][1]
    body_x, body_y = GRID, top + 10160
    court_x = row_x + size // 2 + CLEARANCE
    court_y = max(body_y, top + size // 2) + CLEARANCE
    return symbol(f"DIP-{count}", pads, [
        rectangle(SILK, SILK_WIDTH, -body_x, -body_y, body_x, body_y),
        arc(SILK, SILK_WIDTH, 0, body_y, 6350, 180, 180),
        rectangle(COURTYARD, COURTYARD_WIDTH, -court_x, -court_y, court_x, court_y),
        ref_text(court_y + 2540),
    ])


def gull_wing(name, count, pitch, row_x, pad_length, pad_width, body_x, body_y):
    centres = dual_row(count, pitch, row_x)
    pads = [land(n, x, y, "rectangle", pad_length, pad_width, 0) for n, (x, y) in enumerate(centres, start=1)]
    top = centres[0][1]
    court_x = row_x + pad_length // 2 + CLEARANCE
    court_y = max(body_y, top + pad_width // 2) + CLEARANCE
    return symbol(name, pads, [
        line(SILK, SILK_WIDTH, -body_x, body_y, body_x, body_y),
        line(SILK, SILK_WIDTH, -body_x, -body_y, body_x, -body_y),
        circle(SILK, 0, -row_x, body_y + 2 * SILK_WIDTH, 750, True),
        rectangle(ASSEMBLY, ASSEMBLY_WIDTH, -body_x, -body_y, body_x, body_y),
        rectangle(COURTYARD, COURTYARD_WIDTH, -court_x, -court_y, court_x, court_y),
        ref_text(court_y + 2540),
    ])


def qfn16():
    pitch, centre, length, width, body = 5000, 14500, 8000, 3000, 15000
    offsets = [3 * pitch // 2 - i * pitch for i in range(4)]
    pads = []
    for i, o in enumerate(offsets):
        pads.append(land(1 + i, -centre, o, "rectangle", length, width, 0))
    for i, o in enumerate(offsets):
        pads.append(land(5 + i, -o, -centre, "rectangle", width, length, 0))
    for i, o in enumerate(offsets):
        pads.append(land(9 + i, centre, -o, "rectangle", length, width, 0))
    for i, o in enumerate(offsets):
        pads.append(land(13 + i, o, centre, "rectangle", width, length, 0))
    pads.append(land(17, 0, 0, "rectangle", 17000, 17000, 0, "EP"))
    corner = 10500
    silk = []
    for sx, sy in ((-1, 1), (1, 1), (1, -1), (-1, -1)):
        silk += polyline(SILK, SILK_WIDTH, (sx * body, sy * corner), (sx * body, sy * body), (sx * corner, sy * body))
    court = centre + length // 2 + CLEARANCE
    return symbol("QFN-16", pads, silk + [
        circle(SILK, 0, -18000, 12500, 750, True),
        rectangle(ASSEMBLY, ASSEMBLY_WIDTH, -body, -body, body, body),
        rectangle(COURTYARD, COURTYARD_WIDTH, -court, -court, court, court),
        ref_text(court + 2540),
    ])


def sot23():
    pads = [land(1, -9500, -11000, "rectangle", 9000, 11000, 0),
            land(2, 9500, -11000, "rectangle", 9000, 11000, 0),
            land(3, 0, 11000, "rectangle", 9000, 11000, 0)]
    return symbol("SOT-23", pads, [
        line(SILK, SILK_WIDTH, -14500, 6500, -6000, 6500),
        line(SILK, SILK_WIDTH, 6000, 6500, 14500, 6500),
        line(SILK, SILK_WIDTH, -14500, 6500, -14500, -3500),
        line(SILK, SILK_WIDTH, 14500, 6500, 14500, -3500),
        rectangle(ASSEMBLY, ASSEMBLY_WIDTH, -14500, -6500, 14500, 6500),
        rectangle(COURTYARD, COURTYARD_WIDTH, -17000, -19000, 17000, 19000),
        ref_text(21540),
    ])


def chip0805():
    pads = [land(1, -9500, 0, "rectangle", 10000, 14500, 0), land(2, 9500, 0, "rectangle", 10000, 14500, 0)]
    return symbol("0805", pads, [
        line(SILK, SILK_WIDTH, -3000, 8750, 3000, 8750),
        line(SILK, SILK_WIDTH, -3000, -8750, 3000, -8750),
        rectangle(ASSEMBLY, ASSEMBLY_WIDTH, -10000, -6250, 10000, 6250),
        rectangle(COURTYARD, COURTYARD_WIDTH, -17000, -9750, 17000, 9750),
        ref_text(12290),
    ])


def header2x5():
    pitch, drill, size = GRID, 10000, 17000
    pads = []
    for row in range(5):
        y = 2 * pitch - row * pitch
        pads.append(land(2 * row + 1, -pitch // 2, y, "rectangle" if row == 0 else "round", size, size, drill))
        pads.append(land(2 * row + 2, pitch // 2, y, "round", size, size, drill))
    body_x, body_y = pitch, 5 * pitch // 2
    return symbol("HDR-2x5", pads, [
        rectangle(SILK, SILK_WIDTH, -body_x, -body_y, body_x, body_y),
        circle(SILK, 0, -body_x - 5080, 2 * pitch, 1000, True),
        rectangle(COURTYARD, COURTYARD_WIDTH, -body_x - CLEARANCE, -body_y - CLEARANCE, body_x + CLEARANCE,
                  body_y + CLEARANCE),
        ref_text(body_y + CLEARANCE + 2540),
    ])


def footprints():
    return [
        dip(8), dip(14), dip(16),
        gull_wing("SOIC-8", 8, 12700, 27000, 15500, 6000, 19500, 24500),
        gull_wing("SOIC-14", 14, 12700, 27000, 15500, 6000, 19500, 43250),
        gull_wing("TSSOP-14", 14, 6500, 29000, 15000, 4500, 22000, 25000),
        qfn16(), sot23(), chip0805(), header2x5(),
    ]


# --- technologies

def colours():
    stock = ["#000000", "#00FF00", "#0000FF", "#00FFFF", "#FFFF00", "#8080FF", "#804000", "#008000", "#0000C0"]
    names = ["Background", "AssignedPins", "UnassignedPins", "Text", "Outlines", "Selection", "Highlight",
             "PinNames", "PinNumbers"]
    return dict(zip(names, stock))


def technology(kind, layers, styles):
    return {"format": "technology", "version": 1, "kind": kind,
            "layers": [{"name": n, "colour": c, "visible": v} for n, c, v in layers],
            "textStyles": [{"name": n, "size": s, "width": w} for n, s, w in styles],
            "colours": colours()}


def main():
    write("logic.scmlib", library("schematic", [nand2(), inverter(), d_flip_flop(), power_unit()]))
    write("analog.scmlib", library("schematic", [op_amp(), resistor()]))
    write("connectors.scmlib", library("schematic", [connector10()]))
    parts = footprints()
    write("footprints.pcblib", library("pcb", parts))
    (DATA / "package.txt").write_text("".join(p["name"] + "\n" for p in parts), encoding="utf-8")
    write("default.scmtech", technology("schematic", [
        ("Outline", "#FFFF00", True), ("Pins", "#00FF00", True), ("Pin Names", "#008000", True),
        ("Pin Numbers", "#0000C0", True), ("Text", "#00FFFF", True),
    ], [("Reference", 15240, 1524), ("Pin Name", 10160, 1016), ("Pin Number", 7620, 762)]))
    write("default.pcbtech", technology("pcb", [
        ("Top Copper", "#C83434", True), ("Bottom Copper", "#4D7FC4", True), ("Silkscreen", "#F2EDA1", True),
        ("Assembly", "#A0A0A0", False), ("Courtyard", "#FF26E2", False), ("Drill", "#E3B72E", True),
    ], [("Reference", 10000, 1500), ("Value", 10000, 1500), ("Pad Number", 5000, 750)]))
    stems = ["U", "IC", "R", "C", "L", "D", "LED", "Q", "J", "P", "X", "Y", "F", "K", "SW", "TP"]
    (DATA / "def_ref.txt").write_text("".join(s + "\n" for s in stems), encoding="utf-8")


if __name__ == "__main__":
    main()
