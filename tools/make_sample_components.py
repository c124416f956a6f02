import json, pathlib
DATA = pathlib.Path("/work/main/data")
DEFAULT_SHOW = ["schematic-component", "schematic-reference", "schematic-pin-name", "schematic-pin-number", "pcb-reference"]

def gate(index, symbol, library, terminals):
    return {"index": index, "symbol": symbol, "library": library,
            "terminals": [{"name": n, "pin": p} for n, p in terminals]}

def record(package, description, package_description, reference, pcb_symbol, pins, gates, attributes=(), show=DEFAULT_SHOW):
    return {"package": package, "description": description, "packageDescription": package_description,
            "defaultReference": reference, "pcbSymbol": pcb_symbol, "pcbLibrary": "footprints.pcblib",
            "pinCount": pins, "pcbOnly": False, "showNames": list(show),
            "attributes": [{"name": n, "value": v} for n, v in attributes], "gates": gates}

PACKAGES = {
    "DIP-8": "8-pin dual in-line, 2.54 mm pitch, through hole",
    "SOIC-8": "8-pin small outline, 1.27 mm pitch",
    "DIP-14": "14-pin dual in-line, 2.54 mm pitch, through hole",
    "SOIC-14": "14-pin small outline, 1.27 mm pitch",
    "TSSOP-14": "14-pin thin shrink small outline, 0.65 mm pitch",
    "0805": "chip, 2.0 x 1.25 mm",
}

def quad_nand():
    # 1A 1B 1Y 2A 2B 2Y GND 3Y 3A 3B 4Y 4A 4B VCC
    maps = [(1, 2, 3), (4, 5, 6), (9, 10, 8), (12, 13, 11)]
    gates = [gate(i, "NAND2", "logic.scmlib", list(zip("ABY", m))) for i, m in enumerate(maps)]
    gates.append(gate(4, "POWER", "logic.scmlib", [("VCC", 14), ("GND", 7)]))
    return {"name": "QUAD-NAND2", "packages": [
        record(p, "Quad 2-input NAND gate", PACKAGES[p], "U", p, 14, gates) for p in ("DIP-14", "SOIC-14")]}

def hex_inverter():
    # 1A 1Y 2A 2Y 3A 3Y GND 4Y 4A 5Y 5A 6Y 6A VCC
    maps = [(1, 2), (3, 4), (5, 6), (9, 8), (11, 10), (13, 12)]
    gates = [gate(i, "INV", "logic.scmlib", list(zip("AY", m))) for i, m in enumerate(maps)]
    gates.append(gate(6, "POWER", "logic.scmlib", [("VCC", 14), ("GND", 7)]))
    return {"name": "HEX-INV", "packages": [
        record(p, "Hex inverter", PACKAGES[p], "U", p, 14, gates) for p in ("DIP-14", "TSSOP-14")]}

def dual_opamp():
    # OUT1 IN1- IN1+ V- IN2+ IN2- OUT2 V+; the symbol's pads are IN+, IN-, OUT
    gates = [gate(0, "OPAMP", "analog.scmlib", [("IN+", 3), ("IN-", 2), ("OUT", 1)]),
             gate(1, "OPAMP", "analog.scmlib", [("IN+", 5), ("IN-", 6), ("OUT", 7)]),
             gate(2, "POWER", "logic.scmlib", [("V+", 8), ("V-", 4)])]
    return {"name": "DUAL-OPAMP", "packages": [
        record(p, "Dual operational amplifier", PACKAGES[p], "U", p, 8, gates) for p in ("DIP-8", "SOIC-8")]}

def resistor():
    gates = [gate(0, "RESISTOR", "analog.scmlib", [("1", 1), ("2", 2)])]
    show = ["schematic-component", "schematic-reference", "pcb-reference"]
    return {"name": "RESISTOR", "packages": [
        record("0805", "Resistor", PACKAGES["0805"], "R", "0805", 2, gates,
               attributes=[("Value", "10k"), ("Tolerance", "1%"), ("Power", "125 mW")], show=show)]}

doc = {"format": "component-library", "version": 1,
       "components": [quad_nand(), hex_inverter(), dual_opamp(), resistor()]}
(DATA / "sample.cmplib").write_text(json.dumps(doc, indent=2, sort_keys=True, ensure_ascii=False) + "\n", encoding="utf-8")
