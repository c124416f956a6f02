#!/usr/bin/env python3
"""Writes an FPGA-like component on a ball-grid footprint, with its symbol libraries.

    tools/make_big_component.py NAME --terminals N --gates G [--distinct] [--out DIR]

writes DIR/NAME.cmplib (one component NAME with one package), DIR/NAME.scmlib (the
gates' symbols) and DIR/NAME.pcblib (the footprint). The G gates share one symbol of
N/G terminals, or with --distinct each gate has a symbol of its own, of unequal sizes,
so the pin grid has one block per gate and most of its cells disabled. Terminal k (in
gate order) is wired to ball k of a square ball grid of at least N balls at 1 mm pitch;
every 50th terminal is left without a pin, as a part on the bench often is. The output
is formatted as the program writes it, so loading and saving gives the same bytes.

The samples in data/big/ are made by
    tools/make_big_component.py big-fpga --terminals 2000 --gates 20 --out data/big
    tools/make_big_component.py big-fpga-banks --terminals 1800 --gates 17 --distinct --out data/big
"""

import argparse
import json
import math
import pathlib
import sys

GRID = 25400  # 0.1 inch, the schematic grid
MM = 10000
MAX_TERMINALS = 20000
MAX_GATE_TERMINALS = 32767
# Ball-row letters: those easily mistaken for digits or each other are left out.
ROW_LETTERS = "ABCDEFGHJKLMNPRTUVWY"


def point(x, y):
    return {"x": x, "y": y}


def rectangle(layer, width, x1, y1, x2, y2):
    return {"type": "rectangle", "layer": layer, "width": width, "corner1": point(x1, y1),
            "corner2": point(x2, y2), "filled": False}


def text(layer, width, content, x, y, size, alignment="bottom-left"):
    return {"type": "text", "layer": layer, "width": width, "text": content, "position": point(x, y),
            "size": size, "alignment": alignment, "rotation": 0}


def row_name(index):
    """A, B, ... Y, then AA, AB, ...: ball rows as packages letter them."""
    letters = ""
    index += 1
    while index > 0:
        index -= 1
        letters = ROW_LETTERS[index % len(ROW_LETTERS)] + letters
        index //= len(ROW_LETTERS)
    return letters


def gate_sizes(terminals, gates, distinct):
    """Terminals per gate, summing to `terminals`; unequal when the symbols are distinct."""
    if not distinct:
        return [terminals // gates] * gates
    weights = [2 + (g * 7) % 5 for g in range(gates)]  # 2 to 6: banks of unequal size
    sizes = [max(1, terminals * w // sum(weights)) for w in weights]
    for g in range(terminals - sum(sizes)):
        sizes[g % gates] += 1
    return sizes


def terminal_name(gate, terminal, size):
    if terminal == size:
        return f"GND_{gate}"
    if terminal == size - 1:
        return f"VCCIO_{gate}"
    return f"IO_L{(terminal + 1) // 2}{'P' if terminal % 2 else 'N'}_B{gate}"


def gate_symbol(name, gate, size):
    """A box with the first half of its terminals on the left, the rest on the right."""
    rows = (size + 1) // 2
    pads = []
    for terminal in range(1, size + 1):
        left = terminal <= rows
        row = terminal if left else terminal - rows
        pads.append({"number": terminal, "name": terminal_name(gate, terminal, size),
                     "position": point(-4 * GRID if left else 4 * GRID, -row * GRID),
                     "length": 2 * GRID, "direction": "left" if left else "right"})
    graphics = [rectangle("Outline", 2540, -2 * GRID, 0, 2 * GRID, -(rows + 1) * GRID),
                text("Text", 1524, "U?", -2 * GRID, GRID // 2, 15240),
                text("Text", 1016, name, 0, -(rows + 1) * GRID // 2, 10160, "centre")]
    return {"name": name, "origin": point(0, 0), "pads": pads, "graphics": graphics}


def ball_grid(name, balls):
    side = math.ceil(math.sqrt(balls))
    pads = []
    for index in range(side * side):
        row, col = divmod(index, side)
        pads.append({"number": index + 1, "name": f"{row_name(row)}{col + 1}",
                     "position": point(col * MM, -row * MM), "shape": "round",
                     "width": 5 * MM // 10, "height": 5 * MM // 10, "drill": 0})
    edge = side * MM
    graphics = [rectangle("Silkscreen", 1500, -MM, MM, edge, -edge),
                rectangle("Courtyard", 500, -MM - 2500, MM + 2500, edge + 2500, -edge - 2500),
                text("Silkscreen", 1500, "REF", -MM, MM + MM // 2, MM)]
    return {"name": name, "origin": point(0, 0), "pads": pads, "graphics": graphics}, side * side


def library(kind, symbols):
    return {"format": "symbol-library", "version": 1, "kind": kind, "symbols": symbols}


def component(name, sizes, symbol_names, stem, footprint, ball_count):
    gates = []
    pin = 0
    for index, (size, symbol) in enumerate(zip(sizes, symbol_names)):
        terminals = []
        for terminal in range(1, size + 1):
            pin += 1
            wired = pin % 50 != 0
            terminals.append({"name": terminal_name(index, terminal, size), "pin": pin if wired else -1})
        gates.append({"index": index, "symbol": symbol, "library": f"{stem}.scmlib", "terminals": terminals})
    record = {"package": footprint, "description": f"FPGA-like part, {sum(sizes)} terminals in {len(sizes)} gates",
              "packageDescription": f"{ball_count}-ball grid array, 1.0 mm pitch", "defaultReference": "U",
              "pcbSymbol": footprint, "pcbLibrary": f"{stem}.pcblib", "pinCount": ball_count, "pcbOnly": False,
              "showNames": ["schematic-component", "schematic-reference", "schematic-pin-number", "pcb-reference"],
              "attributes": [], "gates": gates}
    return {"format": "component-library", "version": 1, "components": [{"name": name, "packages": [record]}]}


def write(path, document):
    temporary = path.with_name(path.name + ".tmp")
    temporary.write_text(json.dumps(document, indent=2, sort_keys=True, ensure_ascii=False) + "\n", encoding="utf-8")
    temporary.replace(path)


def parse(argv):
    parser = argparse.ArgumentParser(description="Writes a big FPGA-like component and its symbol libraries.")
    parser.add_argument("name", help="the component's name and the files' stem")
    parser.add_argument("--terminals", type=int, default=2000, help=f"terminals in all (1 to {MAX_TERMINALS})")
    parser.add_argument("--gates", type=int, default=20, help="number of gates (1 to the number of terminals)")
    parser.add_argument("--distinct", action="store_true", help="a symbol of its own for each gate")
    parser.add_argument("--out", default=".", help="the folder to write into (it must exist)")
    args = parser.parse_args(argv)
    if not 1 <= args.terminals <= MAX_TERMINALS:
        parser.error(f"--terminals {args.terminals} is outside 1 to {MAX_TERMINALS}")
    if not 1 <= args.gates <= args.terminals:
        parser.error(f"--gates {args.gates} is outside 1 to the number of terminals ({args.terminals})")
    if math.ceil(args.terminals / args.gates) > MAX_GATE_TERMINALS:
        parser.error(f"{args.terminals} terminals in {args.gates} gates is more than {MAX_GATE_TERMINALS} a gate")
    if not args.distinct and args.terminals % args.gates != 0:
        parser.error(f"gates of one symbol need the terminals ({args.terminals}) to be a multiple of --gates")
    if not pathlib.Path(args.out).is_dir():
        parser.error(f"--out {args.out} is not a folder")
    if not args.name or "/" in args.name:
        parser.error(f"the name {args.name!r} cannot be a file stem")
    return args


def main(argv):
    args = parse(argv)
    sizes = gate_sizes(args.terminals, args.gates, args.distinct)
    if args.distinct:
        names = [f"{args.name.upper()}_BANK{g}" for g in range(args.gates)]
        symbols = [gate_symbol(n, g, s) for g, (n, s) in enumerate(zip(names, sizes))]
    else:
        names = [f"{args.name.upper()}_UNIT"] * args.gates
        symbols = [gate_symbol(names[0], 0, sizes[0])]
    footprint, balls = ball_grid(f"BGA-{math.ceil(math.sqrt(args.terminals)) ** 2}", args.terminals)
    out = pathlib.Path(args.out)
    write(out / f"{args.name}.scmlib", library("schematic", symbols))
    write(out / f"{args.name}.pcblib", library("pcb", [footprint]))
    write(out / f"{args.name}.cmplib", component(args.name.upper(), sizes, names, args.name, footprint["name"], balls))
    print(f"{out / args.name}.cmplib: {args.terminals} terminals in {args.gates} gates on {footprint['name']}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
