#!/usr/bin/env python3
"""Times the desktop program on a big component from the user's side of the screen.

    bench/screen/screen_bench.py [--runs N] [--program PATH] [--out FILE.json] [--real-fpga] LIBRARY:COMPONENT ...

Each run starts the real program under its own Xvfb server on one component, plays a
user with xdotool and measures what each action costs the program: the CPU time of all
its threads (from /proc/PID/task/*/schedstat, in nanoseconds) from the moment the
action is sent until the program is idle again (no more than 1 ms of CPU in 300 ms).
Opening is measured from the start of the process to the first idle moment after its
window is shown, that is once the first complete paint is done. The figures printed are
medians over the runs, in milliseconds, with the program's resident memory after
opening; "changed" says whether the screen looked different after the action, so a
click that missed its target shows up instead of passing for a fast action.

Typing is timed key by key as well: the keys go 20 ms apart as before, one xdotool call
each, and each key's cost is the CPU time from it to the next (the last one's, until the
program is idle). The median of the keys is printed beside the typing steps as what one
key costs; the first key of an edit also opens the cell's editor.

Recovery copies of unsaved work are written as the program's settings say: with
--recovery off they are not, with "on" (the default) a second after the last change, so
that "write-back, then typing as the copy is made" holds the copy's whole cost.

Places on the screen are found from a screenshot, not assumed: the two drawings are
the two black areas below the grid, a pad is a bright blob near the middle of the PCB
drawing, a terminal a bright pixel of the schematic drawing.

With --real-fpga the benchmark also measures a part of the real shape, many units of a
symbol each on a ball grid with named lands, which it imports itself with the program's
command-line tool from the field's libraries when they are installed.
"""

import argparse
import json
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
IDLE_WINDOW = 0.3  # seconds without CPU use that count as idle
IDLE_NOISE_NS = 1_000_000
KEY_GAP = 0.02  # seconds between two typed keys
ROW_HEIGHT = 25  # pixels of a grid row at the default font


class Screen:
    """An Xvfb server of its own and xdotool/import on it."""

    def __init__(self, display):
        self.display = display
        self.env = dict(os.environ, DISPLAY=display)
        # -noreset: a server that resets when its last client leaves refuses the next one
        # for a moment.
        self.server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1600x1000x24", "-nolisten", "tcp", "-noreset"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    def close(self):
        self.server.terminate()
        self.server.wait()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout.strip()

    def windows_of(self, pid):
        found = self.xdotool("search", "--all", "--pid", str(pid), "--onlyvisible", "--name", ".")
        return [w for w in found.split() if w]

    def click(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def move(self, x, y):
        self.xdotool("mousemove", str(x), str(y))

    def keys(self, *keys):
        self.xdotool("key", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "20", text)

    def look(self):
        """The whole screen as rows of (r, g, b)."""
        png = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env, capture_output=True).stdout
        return Picture(png)

    def save(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=False)


class Picture:
    def __init__(self, ppm):
        # P6, width, height, maximum, then one whitespace byte before the pixels.
        fields, position = [], 0
        while len(fields) < 4:
            while ppm[position:position + 1].isspace():
                position += 1
            end = position
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[position:end])
            position = end
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = ppm[position + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def differs(self, other, box):
        x0, y0, x1, y1 = box
        return any(self.at(x, y) != other.at(x, y) for y in range(y0, y1, 2) for x in range(x0, x1, 2))


def is_bright(rgb):
    return max(rgb) > 150 and not (rgb[0] > 200 and rgb[1] > 200 and rgb[2] > 200)


def in_drawing(rgb):
    """Anything but the light grey of the window's frame, bars and splitters."""
    return not (min(rgb) > 180 and max(rgb) - min(rgb) < 30)


def drawing_runs(picture, y, x_end):
    """The stretches of the row at y that belong to a drawing."""
    runs, start = [], None
    for x in range(x_end):
        if in_drawing(picture.at(x, y)):
            start = x if start is None else start
        elif start is not None:
            if x - start > 50:
                runs.append((start, x))
            start = None
    if start is not None and x_end - start > 50:
        runs.append((start, x_end))
    return runs


def vertical_extent(picture, x, y):
    top, bottom = y, y
    while top > 0 and in_drawing(picture.at(x, top - 1)):
        top -= 1
    while bottom < picture.height - 1 and in_drawing(picture.at(x, bottom + 1)):
        bottom += 1
    return top, bottom


class Layout:
    """Where the grid and the two drawings are, read from the screen."""

    def __init__(self, picture, window_width, window_height):
        y = int(window_height * 0.75)
        runs = drawing_runs(picture, y, window_width)
        if len(runs) < 2:
            raise RuntimeError(f"cannot find the two drawings on the screen (drawing areas at y={y}: {runs})")
        (s0, s1), (p0, p1) = runs[0], runs[-1]
        top, bottom = vertical_extent(picture, (p0 + p1) // 2, y)
        self.schematic = (s0, top, s1, bottom)
        self.pcb = (p0, top, p1, bottom)
        self.grid = (0, 100, window_width, top - 8)

    def blob_near(self, picture, box, fx, fy):
        """The centre of the bright blob nearest to the fraction (fx, fy) of the box."""
        x0, y0, x1, y1 = box
        cx, cy = x0 + int((x1 - x0) * fx), y0 + int((y1 - y0) * fy)
        for radius in range(0, 400):
            for dy in range(-radius, radius + 1):
                for dx in (-radius, radius) if abs(dy) != radius else range(-radius, radius + 1):
                    x, y = cx + dx, cy + dy
                    if is_bright(picture.at(x, y)):
                        return centre_of(picture, x, y)
        raise RuntimeError(f"nothing drawn near {cx},{cy}")


def first_gate_cell(picture, grid):
    """The middle of the first data row's cell in the first gate column: the header row's
    column borders are lighter than its fill, and three columns come before the gates."""
    gx0, gy0, gx1, _ = grid
    y = gy0 + ROW_HEIGHT // 2 - 3
    fill = picture.at(gx0 + 2, y)
    borders = [x for x in range(gx0 + 1, gx1) if picture.at(x, y) != fill and picture.at(x - 1, y) == fill]
    if len(borders) < 4:
        raise RuntimeError("the grid's header shows fewer than four columns")
    return (borders[2] + borders[3]) // 2, gy0 + int(1.5 * ROW_HEIGHT)


def centre_of(picture, x, y):
    left, right, up, down = x, x, y, y
    while is_bright(picture.at(left - 1, y)):
        left -= 1
    while is_bright(picture.at(right + 1, y)):
        right += 1
    while is_bright(picture.at(x, up - 1)):
        up -= 1
    while is_bright(picture.at(x, down + 1)):
        down += 1
    return (left + right) // 2, (up + down) // 2


class Program:
    def __init__(self, executable, library, component, screen, config):
        self.screen = screen
        self.started = time.monotonic()
        # The copies go to the run's own folder, which is removed with its settings.
        self.process = subprocess.Popen([executable, "--open", library, "--component", component],
                                        env=dict(screen.env, XDG_CONFIG_HOME=config,
                                                 XDG_STATE_HOME=os.path.join(config, "state")),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def cpu_ns(self):
        total = 0
        for task in pathlib.Path(f"/proc/{self.process.pid}/task").iterdir():
            try:
                total += int((task / "schedstat").read_text().split()[0])
            except (OSError, ValueError, IndexError):
                pass
        return total

    def main_thread_cpu_ns(self):
        """The CPU time of the user-interface thread alone, the process's first."""
        path = pathlib.Path(f"/proc/{self.process.pid}/task/{self.process.pid}/schedstat")
        return int(path.read_text().split()[0])

    def rss_mb(self):
        for line in pathlib.Path(f"/proc/{self.process.pid}/status").read_text().splitlines():
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
        return 0.0

    def wait_idle(self, timeout=120):
        """The CPU time when the program went idle, waiting at most `timeout` seconds."""
        last, last_change = self.cpu_ns(), time.monotonic()
        deadline = last_change + timeout
        while time.monotonic() < deadline:
            time.sleep(0.01)
            now = self.cpu_ns()
            if now - last > IDLE_NOISE_NS:
                last, last_change = now, time.monotonic()
            elif time.monotonic() - last_change > IDLE_WINDOW:
                return last
        raise RuntimeError("the program did not go idle")

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def measure(program, act):
    """CPU milliseconds that `act` costs the program, once it is idle again."""
    before = program.wait_idle()
    act()
    time.sleep(0.05)
    return (program.wait_idle() - before) / 1e6


def type_key_by_key(screen, program, text, costs):
    """Types `text` one key at a time, KEY_GAP apart, and appends to `costs` the CPU
    milliseconds from each key to the next, the last one's until the program is idle."""
    marks = []
    for key in text:
        marks.append(program.cpu_ns())
        screen.type(key)
        time.sleep(KEY_GAP)
    marks.append(program.wait_idle())
    costs.extend((after - before) / 1e6 for before, after in zip(marks, marks[1:]))


def unused_pin(library, skip=0):
    """The highest pin no terminal has, or the one `skip` places below it."""
    document = json.loads(pathlib.Path(library).read_text())
    record = document["components"][0]["packages"][0]
    used = {t["pin"] for g in record["gates"] for t in g["terminals"]}
    return [p for p in range(record["pinCount"], 0, -1) if p not in used][skip]


def write_recovery_settings(config, recovery):
    """Recovery copies off, or written one second after the last change."""
    values = {"Enabled": False} if recovery == "off" else {"Enabled": True, "QuietSeconds": 1}
    folder = pathlib.Path(config) / "component-editor"
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "settings.json").write_text(
        json.dumps({"version": 1, "keys": {"ComponentEditor\\Recovery": values}}) + "\n")


def one_run(args, library, component, display):
    screen = Screen(display)
    config = tempfile.mkdtemp(prefix="screen-bench-")
    write_recovery_settings(config, args.recovery)
    program = Program(args.program, library, component, screen, config)
    figures, changed = {}, {}
    try:
        deadline = time.monotonic() + 120
        while not screen.windows_of(program.process.pid):
            if time.monotonic() > deadline or program.process.poll() is not None:
                raise RuntimeError("the program showed no window")
            time.sleep(0.05)
        figures["open until first complete paint"] = program.wait_idle(timeout=900) / 1e6
        figures["resident memory after opening (MB)"] = program.rss_mb()
        window = main_window(screen, program)
        geometry = screen.xdotool("getwindowgeometry", "--shell", window)
        size = dict(line.split("=") for line in geometry.splitlines())
        layout = Layout(screen.look(), int(size["WIDTH"]), int(size["HEIGHT"]))

        def step(name, act, box):
            before = screen.look()
            figures[name] = measure(program, act)
            changed[name] = screen.look().differs(before, box)

        def typing_step(name, act, box):
            """A step that ends in typing: its total and, beside it, its median key."""
            keys = []
            step(name, lambda: act(keys), box)
            figures[name + ", per key (median)"] = statistics.median(keys)

        everything = (0, 0, int(size["WIDTH"]), int(size["HEIGHT"]))
        picture = screen.look()
        # The edit goes to a terminal of the first gate while the grid still shows the top
        # rows: a cell every component lets the user edit (a cell far down and right, or
        # one the grid scrolled to, may be a disabled one of another gate's block).
        edited = first_gate_cell(picture, layout.grid)
        screen.click(*edited)
        program.wait_idle()
        pin = str(unused_pin(library))
        edited_box = (edited[0] - 30, edited[1] - ROW_HEIGHT, edited[0] + 30, edited[1] + ROW_HEIGHT)
        # Typing is timed apart from the write-back: each key is a frame of its own.
        typing_step("typing a pin into the cell", lambda keys: type_key_by_key(screen, program, pin, keys),
                    edited_box)
        step("grid cell edit written back", lambda: screen.keys("Return"), edited_box)
        # A second write-back changes the component again: with copies on, its copy is due
        # a second later, when the timer (every half second) next looks, and is made while
        # the next pin is typed. The same step with copies off shows what the copy costs.
        screen.click(*edited)
        screen.type(str(unused_pin(library, 1)))
        program.wait_idle()
        name = "write-back, then typing as the copy is made"
        ui_before = program.main_thread_cpu_ns()
        typing_step(name,
                    lambda keys: (screen.keys("Return"), time.sleep(1.2), type_key_by_key(screen, program, pin, keys)),
                    edited_box)
        figures[name + " (UI thread)"] = (program.main_thread_cpu_ns() - ui_before) / 1e6
        screen.keys("Escape")
        program.wait_idle()
        step("undo of a cell edit", lambda: screen.keys("ctrl+z"), edited_box)

        picture = screen.look()
        pad = layout.blob_near(picture, layout.pcb, 0.5, 0.5)
        step("select a PCB pad", lambda: screen.click(*pad), everything)
        empty = (layout.pcb[0] + 10, layout.pcb[1] + 10)
        step("click empty space (clear the marks)", lambda: screen.click(*empty), everything)

        gx0, gy0, gx1, gy1 = layout.grid
        cell = (gx1 - 20, gy1 - int(1.5 * ROW_HEIGHT))
        step("move to a grid cell", lambda: screen.click(*cell), everything)

        picture = screen.look()
        other_pad = layout.blob_near(picture, layout.pcb, 0.3, 0.3)
        terminal = layout.blob_near(picture, layout.schematic, 0.05, 0.5)
        screen.click(*empty)
        program.wait_idle()
        screen.keys("ctrl+a")
        step("assign-pins click pair", lambda: (screen.click(*other_pad), screen.click(*terminal)), everything)
        screen.keys("Escape")
        program.wait_idle()

        screen.move((layout.pcb[0] + layout.pcb[2]) // 2, (layout.pcb[1] + layout.pcb[3]) // 2)
        screen.keys("KP_Add", "KP_Add")
        program.wait_idle()
        step("zoom to fit", lambda: screen.keys("Home"), layout.pcb)
        screen.click(*cell)
        program.wait_idle()
        step("scroll the grid by a page", lambda: screen.keys("Next"), layout.grid)

        assign_all(screen, program)
        step("undo of a 1-1 assignment", lambda: screen.keys("ctrl+z"), everything)
        if args.screenshot:
            screen.save(args.screenshot)
    finally:
        program.close()
        screen.close()
        shutil.rmtree(config, ignore_errors=True)
    return figures, changed


def main_window(screen, program):
    """The program's main window, waiting for it while the program starts."""
    deadline = time.monotonic() + 120
    while time.monotonic() < deadline:
        for window in screen.windows_of(program.process.pid):
            if screen.xdotool("getwindowname", window).startswith("Component Editor"):
                return window
        if program.process.poll() is not None:
            raise RuntimeError(f"the program ended with status {program.process.returncode}")
        time.sleep(0.1)
    raise RuntimeError("the program showed no main window")


def assign_all(screen, program):
    """Component > Assign Pins 1-1, answering the warning that counts differ."""
    screen.keys("alt+c")
    time.sleep(0.3)
    screen.keys("1")
    program.wait_idle(timeout=900)
    if len(screen.windows_of(program.process.pid)) > 1:
        screen.keys("Return")
        program.wait_idle()


# The real shape: an FPGA of the field's libraries, many units with a symbol each (one
# block of rows per gate) on a ball grid whose lands have names.
REAL_SYMBOLS = pathlib.Path("/usr/share/kicad/symbols/FPGA_Xilinx_Virtex7.kicad_sym")
REAL_SYMBOL = "XC7VX690T-FFG1927"
REAL_FOOTPRINTS = pathlib.Path("/usr/share/kicad/footprints/Package_BGA.pretty")
REAL_FOOTPRINT = "Xilinx_FFG1926_FFG1927_FFG1928_FFG1930"


def real_fpga_target(program, folder):
    """LIBRARY:COMPONENT of the real FPGA imported into `folder` with the program's
    command-line tool, or None when the field's libraries are not installed."""
    if not REAL_SYMBOLS.exists() or not (REAL_FOOTPRINTS / f"{REAL_FOOTPRINT}.kicad_mod").exists():
        print(f"no {REAL_SYMBOLS} or {REAL_FOOTPRINT}: the real FPGA is left out (tools/install-kicad-libraries)",
              file=sys.stderr)
        return None
    library = pathlib.Path(folder) / "real-fpga.cmplib"
    cli = pathlib.Path(program).with_name("component-editor-cli")
    subprocess.run([str(cli), "import-symbol", str(library), str(REAL_SYMBOLS), REAL_SYMBOL,
                    "--footprint", str(REAL_FOOTPRINTS), REAL_FOOTPRINT], check=True, stdout=subprocess.DEVNULL)
    return f"{library}:{REAL_SYMBOL}"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("targets", nargs="*", help="LIBRARY:COMPONENT")
    parser.add_argument("--real-fpga", action="store_true",
                        help=f"also {REAL_SYMBOL}, imported from the installed field's libraries")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--program", default=str(ROOT / "build/app/component-editor"))
    parser.add_argument("--display", default=":95")
    parser.add_argument("--out", help="a JSON file for the medians")
    parser.add_argument("--screenshot", help="a PNG of the screen at the end of the last run")
    parser.add_argument("--recovery", choices=["on", "off"], default="on",
                        help="recovery copies of unsaved work (on: a second after each change)")
    args = parser.parse_args(argv)
    scratch = tempfile.mkdtemp(prefix="screen-bench-real-")
    targets = list(args.targets)
    if args.real_fpga:
        real = real_fpga_target(args.program, scratch)
        targets += [real] if real else []
    if not targets:
        parser.error("no component to measure")
    results = {}
    for target in targets:
        library, component = target.rsplit(":", 1)
        runs = []
        for run in range(args.runs):
            runs.append(one_run(args, library, component, args.display))
            print(f"{target} run {run + 1}: " + ", ".join(f"{k} {v:.1f}" for k, v in runs[-1][0].items()),
                  file=sys.stderr)
        names = list(runs[0][0])
        results[target] = {
            name: {"median": statistics.median(r[0][name] for r in runs),
                   "changed": all(r[1].get(name, True) for r in runs)} for name in names}
        print(f"\n{target} ({args.runs} runs, CPU ms unless named)")
        for name in names:
            entry = results[target][name]
            note = "" if entry["changed"] else "   (screen unchanged!)"
            print(f"  {name:40s} {entry['median']:10.1f}{note}")
    if args.out:
        pathlib.Path(args.out).write_text(json.dumps(results, indent=2) + "\n")
    shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
