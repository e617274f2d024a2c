#!/usr/bin/env python3
"""The viewer page end to end in headless Chromium, against the native tools.

For every sample file and the files made here (a feathered ship with alpha
images, the same ship plain, a family with texts and an empty slot) the
page's sheet canvas holds the pixels of rlspreview's PNG, its JSON report is
rlsinfo --json's byte for byte, its tables show the same figures, and its
sprite view turns every ray as rlspreview --animate does. The sprite view's
modes follow the blend rules over a plain colour, a dropped PNG is tiled as
the background, files open by the picker and by a drop, and every hostile
file ends "invalid" with rlsinfo's reason and nothing drawn, the page going on
to the next file. Prints the time the page takes to load and draw the 100 KB
sample family beside the native rlspreview's time on it, and the module's
size, which must stay under 400 KB.

Needs RLSPREVIEW, RLSINFO, QUARVIN, PLIMSOR, DESSAMOR, PAINTSAMPLES,
VIEWER_SITE (the built page), SAMPLES (the samples/ folder) and HOSTILE (a
folder of hostile files, used where it exists). Exits 77 when the browser
cannot run here, unless VANTREL_WEB_TESTS_REQUIRED is set (CI).
"""

import base64
import functools
import io
import json
import math
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

LARGEST_MODULE = 400 * 1024
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
                  "--window-size=1400,1000"]
PAGE_DEADLINE = 60  # seconds the page may take to settle; only a broken page reaches it


def skip(why):
    if os.environ.get("VANTREL_WEB_TESTS_REQUIRED"):
        print(f"FAIL: the browser tests must run here, but {why}")
        sys.exit(1)
    print(f"skipped: {why} (scripts/deps.sh web installs what they need)")
    sys.exit(77)


try:
    from PIL import Image
    from selenium import webdriver
    from selenium.common.exceptions import TimeoutException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError as missing:
    skip(f"Python cannot import {missing.name} (python3-selenium, python3-pil)")

TOOLS = {name: os.environ.get(name, "") for name in
         ("RLSPREVIEW", "RLSINFO", "QUARVIN", "PLIMSOR", "DESSAMOR", "PAINTSAMPLES")}
SITE = os.environ.get("VIEWER_SITE", "")
CHROMIUM = shutil.which("chromium")
CHROMEDRIVER = shutil.which("chromedriver")


class Failure(Exception):
    pass


failures = []


def case(function):
    """Runs a check as one named case; a failure is counted and the run goes on."""
    @functools.wraps(function)
    def run(*args):
        named = [a for a in args if isinstance(a, str) and not os.path.isabs(a)]
        name = f"{function.__name__}({', '.join(named)})" if named else function.__name__
        try:
            function(*args)
            print(f"  ok    {name}")
        except Failure as failure:
            failures.append(name)
            print(f"FAIL [{name}]: {failure}")
    return run


def expect(condition, what):
    if not condition:
        raise Failure(what)


def expect_equal(what, expected, actual):
    if expected != actual:
        raise Failure(f"{what}:\n    expected {expected!r}\n    actual   {actual!r}")


def expect_same_picture(what, expected, actual):
    if actual is None:
        raise Failure(f"{what}: nothing drawn")
    expect_equal(f"{what}: size", expected.size, actual.size)
    a, b = expected.convert("RGB").tobytes(), actual.convert("RGB").tobytes()
    if a != b:
        differ = [i // 3 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]
        x, y = differ[0] % expected.width, differ[0] // expected.width
        raise Failure(f"{what}: {len(differ)} pixels differ, the first at ({x}, {y}): "
                      f"{expected.getpixel((x, y))} expected, {actual.getpixel((x, y))} drawn")


# ---- The files ----

def run(work, *command, check=True):
    done = subprocess.run(command, cwd=work, capture_output=True)
    if check and done.returncode != 0:
        raise SystemExit(f"{' '.join(map(str, command))} failed: {done.stderr.decode()}")
    return done


def paint_dart(art):
    """A 16-frame ship of its own, dart00.png ..., each with an alpha image
    that leaves a one-pixel grey rim to be blended."""
    side = 41
    for k in range(16):
        angle = k * math.pi / 8
        corners = [(20 + r * math.sin(angle + a), 20 - r * math.cos(angle + a))
                   for r, a in ((18, 0), (13, 2.5), (13, -2.5))]
        frame = Image.new("RGB", (side, side))
        alpha = Image.new("RGB", (side, side))
        for y in range(side):
            for x in range(side):
                # Distances to the triangle's three sides, signed by the side
                # of each that the pixel lies on: inside, all have one sign.
                sides = []
                for (x0, y0), (x1, y1) in zip(corners, corners[1:] + corners[:1]):
                    length = math.hypot(x1 - x0, y1 - y0)
                    sides.append(((x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)) / length)
                if not (all(d >= 0 for d in sides) or all(d <= 0 for d in sides)):
                    continue
                depth = min(abs(d) for d in sides)
                frame.putpixel((x, y), (60 + 4 * x, 220 - 3 * y, 40 + 5 * k))
                alpha.putpixel((x, y), (255, 255, 255) if depth >= 1.2 else (110, 110, 110))
        frame.save(os.path.join(art, f"dart{k:02d}.png"))
        alpha.save(os.path.join(art, f"a_dart{k:02d}.png"))


def make_files(work, samples):
    """The sample files as the main job makes them, and the files of this
    test. Returns the valid files with the stand-alone rays of each."""
    art = os.path.join(work, "art")
    run(work, TOOLS["PAINTSAMPLES"], art)
    shutil.copy(os.path.join(samples, "pictures.txt"), art)
    shutil.copy(os.path.join(samples, "fleet.txt"), work)
    q, p, d = TOOLS["QUARVIN"], TOOLS["PLIMSOR"], TOOLS["DESSAMOR"]
    run(work, q, "-o", "wasp.sh", "art/wasp00.tga")
    run(work, q, "--offset", "1", "-o", "hornet.sh", "art/hornet01.tga")
    run(work, q, "--border", "-o", "wasp-outlined.sh", "art/wasp00.tga")
    run(work, p, "-o", "pictures.sh", "art/pictures.txt")
    run(work, d, "-o", "fleet.shp", "fleet.txt")
    paint_dart(art)
    run(work, q, "-o", "dart.sh", "art/dart00.png")
    run(work, q, "--no-feather", "-o", "dart-plain.sh", "art/dart00.png")
    # dessamor fills every slot; the family's slot 2 (a second use of ray
    # 0) is then marked empty, as the loader knows it.
    with open(os.path.join(work, "gaps.txt"), "w") as list_file:
        list_file.write(":Test family\n:Slot 2 left empty\ndart\ndart-plain\ndart\npictures\n")
    run(work, d, "-o", "gaps.shp", "gaps.txt")
    patch(work, "gaps.shp", 6 + 2, b"\x7b")
    return {
        "wasp.sh": ["wasp.sh"], "hornet.sh": ["hornet.sh"],
        "wasp-outlined.sh": ["wasp-outlined.sh"], "pictures.sh": ["pictures.sh"],
        "fleet.shp": ["wasp.sh", "hornet.sh", "pictures.sh"],
        "dart.sh": ["dart.sh"], "dart-plain.sh": ["dart-plain.sh"],
        "gaps.shp": ["dart.sh", "dart-plain.sh", "pictures.sh"],
    }


def read(work, name):
    with open(os.path.join(work, name), "rb") as f:
        return f.read()


def write(work, name, data):
    with open(os.path.join(work, name), "wb") as f:
        f.write(data)


def patch(work, name, at, data):
    bytes_ = bytearray(read(work, name))
    bytes_[at:at + len(data)] = data
    write(work, name, bytes(bytes_))


def make_hostile(work, hostile_folder):
    """Hostile files made from the good ones, and the kept hostile set."""
    wasp, fleet = read(work, "wasp.sh"), read(work, "fleet.shp")
    made = {f"cut{n}.sh": wasp[:n] for n in (0, 1, 3, 4, 51, 100, len(wasp) // 2, len(wasp) - 1)}
    made.update({f"cut{n}.shp": fleet[:n] for n in (5, 9, 12, len(fleet) // 2)})
    made["tail.sh"] = wasp + b"xy"
    made["table.shp"] = fleet[:7] + b"\x02" + fleet[8:]
    made["texts.shp"] = fleet[:4] + b"\xff\xff" + fleet[6:]
    made["slots.shp"] = struct.pack("<HHH", 0xAE02, 53, 0) + bytes(53)
    made["count.sh"] = struct.pack("<HH", 0xAE01, 0xFFFF)
    record = struct.pack("<3i", 0x7FFFFFFF, 0, 0) + bytes(36)
    made["runs.sh"] = struct.pack("<HH", 0xAE01, 1) + record
    made["negative.sh"] = struct.pack("<HH", 0xAE01, 1) + struct.pack("<3i", -2, 0, 0) + bytes(36)
    # The first edge record of sprite 0 gets level 7.
    runs = struct.unpack_from("<i", wasp, 4)[0]
    at = 4 + 48 + 4 * runs + 4
    made["level.sh"] = wasp[:at] + b"\x07\x00" + wasp[at + 2:]
    made["notes.txt"] = b"// not a sprite file\n"
    for name, data in made.items():
        write(work, name, data)
    names = sorted(made)
    # The kept set's table names its files (and says which of them load).
    table = os.path.join(hostile_folder, "expected.txt")
    if os.path.isfile(table):
        with open(table) as lines:
            kept = sorted({line.split("|")[0] for line in lines
                           if line.strip() and not line.startswith("#")})
        for name in kept:
            shutil.copy(os.path.join(hostile_folder, name), os.path.join(work, "kept-" + name))
            names.append("kept-" + name)
    return names


# ---- What the native tools say ----

class Native:
    def __init__(self, work):
        self.work = work
        self.pictures = {}

    def sheet(self, name, *options):
        key = (name,) + options
        if key not in self.pictures:
            out = f"ref-{len(self.pictures)}.png"
            run(self.work, TOOLS["RLSPREVIEW"], *options, "-o", out, name)
            self.pictures[key] = Image.open(os.path.join(self.work, out)).convert("RGB")
        return self.pictures[key]

    def frames(self, name, *options):
        key = ("frames", name) + options
        if key not in self.pictures:
            out = f"ref-{len(self.pictures)}"
            run(self.work, TOOLS["RLSPREVIEW"], *options, "--animate", out + ".webp",
                "-o", out + ".png", name)
            animation = Image.open(os.path.join(self.work, out + ".webp"))
            frames = []
            for i in range(animation.n_frames):
                animation.seek(i)
                frames.append(animation.convert("RGB"))
            self.pictures[key] = frames
        return self.pictures[key]

    def info(self, name, *options):
        return run(self.work, TOOLS["RLSINFO"], *options, name, check=False)

    def reason(self, name):
        """rlsinfo's reason for refusing the file; None when it finds it valid."""
        done = self.info(name)
        last = done.stdout.decode().rstrip("\n").split("\n")[-1]
        if done.returncode == 0 and last == f"{name}: valid":
            return None
        lead = f"{name}: invalid: "
        expect(done.returncode == 1 and last.startswith(lead), f"rlsinfo on {name}: {last}")
        return last[len(lead):]


# ---- The page ----

SET_CONTROLS = """
for (const [id, value] of Object.entries(arguments[0])) {
  const e = document.getElementById(id);
  if (e.type === "checkbox") e.checked = Boolean(value); else e.value = String(value);
  e.dispatchEvent(new Event("input"));
}"""
CANVAS_PNG = """
const c = document.getElementById(arguments[0]);
return c.width > 0 && c.height > 0 ? c.toDataURL("image/png") : "";"""
VIEW_FRAMES = """
const [ray, controls] = arguments;
const set = (id, value) => {
  const e = document.getElementById(id);
  if (e.type === "checkbox") e.checked = Boolean(value); else e.value = String(value);
  e.dispatchEvent(new Event("input"));
};
for (const [id, value] of Object.entries(controls)) set(id, value);
set("view-ray", ray);
const count = Number(document.getElementById("view-count").textContent);
const frames = [];
for (let i = 0; i < count; i++) {
  set("view-frame", i);
  frames.push(document.getElementById("sprite").toDataURL("image/png"));
}
return frames;"""
DROP = """
const [name, data] = arguments;
const bytes = Uint8Array.from(atob(data), (c) => c.charCodeAt(0));
const transfer = new DataTransfer();
transfer.items.add(new File([bytes], name));
document.body.dispatchEvent(new DragEvent("drop", { dataTransfer: transfer, bubbles: true,
  cancelable: true }));"""
DOWNLOAD = """
const done = arguments[arguments.length - 1];
fetch(document.getElementById("download-json").href).then((r) => r.text()).then(done,
  (e) => done("failed: " + e));"""
SPRITE_ROWS = """
return [...document.querySelectorAll("table[data-ray]")].map((t) =>
  [...t.tBodies[0].rows].map((r) => [...r.cells].map((c) => c.textContent)));"""


def decode_png(url):
    if not url:
        return None
    return Image.open(io.BytesIO(base64.b64decode(url.split(",", 1)[1]))).convert("RGB")


class Page:
    def __init__(self, driver, base):
        self.d = driver
        self.base = base

    def wait(self, script, what, *args):
        try:
            return WebDriverWait(self.d, PAGE_DEADLINE, poll_frequency=0.02).until(
                lambda d: d.execute_script(script, *args))
        except TimeoutException:
            raise Failure(f"the page never {what}; it shows: {self.status()}")

    def status(self):
        return self.d.execute_script("return document.getElementById('status').textContent")

    def data(self, key):
        return self.d.execute_script(f"return document.body.dataset.{key} ?? null")

    def opened(self):
        return int(self.data("opened") or 0)

    def load(self, src=None):
        """A fresh page, opening src (a served file) when given."""
        query = f"?src={urllib.parse.quote(src)}" if src else ""
        self.d.get(f"{self.base}/index.html{query}")
        wanted = "['ready', 'invalid', 'broken']" if src else "['empty', 'broken']"
        self.wait(f"return {wanted}.includes(document.body.dataset.state)", "settled")
        expect(self.data("state") != "broken", f"the page is broken: {self.data('reason')}")
        self.expect_no_errors()
        return self.data("state")

    def after_open(self, before):
        self.wait("return Number(document.body.dataset.opened || 0) > arguments[0]",
                  "finished opening the file", before)
        self.expect_no_errors()
        return self.data("state")

    def drop(self, name, data):
        self.d.execute_script(DROP, name, base64.b64encode(data).decode())

    def set(self, **controls):
        self.d.execute_script(SET_CONTROLS, {k.replace("_", "-"): v for k, v in controls.items()})

    def canvas(self, id_):
        return decode_png(self.d.execute_script(CANVAS_PNG, id_))

    def view_frames(self, ray, **controls):
        controls = {k.replace("_", "-"): v for k, v in controls.items()}
        return [decode_png(u) for u in self.d.execute_script(VIEW_FRAMES, ray, controls)]

    def view(self, **controls):
        self.set(**controls)
        return self.canvas("sprite")

    def expect_no_errors(self):
        errors = [e["message"] for e in self.d.get_log("browser") if e["level"] == "SEVERE"]
        expect(not errors, f"the page reported errors: {errors}")


# ---- The cases ----

# The sheet's options on the page and as rlspreview's flags.
SHEET_OPTIONS = [
    ({"sheet_holes": 1, "sheet_translucent": 1, "sheet_additive": 1, "sheet_hotspot": 1,
      "sheet_bounds": 1}, ["--holes", "--translucent", "--additive", "--hotspot", "--bounds"]),
    ({"sheet_plain": 1, "sheet_colour": "#203040"}, ["--background", "203040"]),
]
SHEET_DEFAULTS = {"sheet_holes": 0, "sheet_translucent": 0, "sheet_additive": 0,
                  "sheet_hotspot": 0, "sheet_bounds": 0, "sheet_plain": 0}
# The view as rlspreview --animate draws: opaque, light checkers, no marks.
ANIMATE_VIEW = {"view_mode": 0, "view_backdrop": 0, "view_scale": 1, "view_hotspot": 0,
                "view_bounds": 0}
OPAQUE, HOLES, TRANSLUCENT, ADDITIVE = range(4)


def sprite_rows(ray):
    return [[str(v) for v in (
        s["index"], s["offset"], s["bytes"], f"{s['width']}x{s['height']}",
        f"{s['hotSpot']['x']},{s['hotSpot']['y']}",
        f"{s['bounds']['left']},{s['bounds']['top']} .. {s['bounds']['right']},"
        f"{s['bounds']['bottom']}",
        "-" if s["runs"] is None else s["runs"],
        "-" if s["runPixels"] is None else s["runPixels"], s["edgeRecords"], s["points"])]
        for s in ray["sprites"]]


def check_report(page, native, name):
    expected_json = native.info(name, "--json").stdout.decode()
    expect_equal("the JSON for download", expected_json,
                 page.d.execute_async_script(DOWNLOAD))
    expect_equal("the report as text", native.info(name).stdout.decode(),
                 page.d.execute_script(
                     "return document.getElementById('report-text').textContent"))
    doc = json.loads(expected_json)
    rays = [doc["ray"]] if "ray" in doc else doc["family"]["rays"]
    expect_equal("the sprite tables", [sprite_rows(r) for r in rays],
                 page.d.execute_script(SPRITE_ROWS))
    if "family" in doc:
        slots = page.d.execute_script(
            "return [...document.querySelectorAll('#slots td')].map((c) => c.textContent)")
        expect_equal("the slot table", ["ray"] + ["-" if r is None else str(r)
                                                  for r in doc["family"]["slots"]], slots)
        texts = page.d.execute_script(
            "return [...document.querySelectorAll('#texts li')].map((c) => c.textContent)")
        expect_equal("the texts", doc["family"]["texts"], texts)


@case
def every_file_as_the_tools_show_it(page, native, files):
    for name, rays in files.items():
        expect_equal(f"{name}: state", "ready", page.load(name))
        expect_same_picture(f"{name}: the sheet", native.sheet(name), page.canvas("sheet"))
        check_report(page, native, name)
        for r, ray in enumerate(rays):
            frames = page.view_frames(r, **ANIMATE_VIEW)
            expected = native.frames(ray)
            expect_equal(f"{name}: ray {r}: frames", len(expected), len(frames))
            for i, (want, got) in enumerate(zip(expected, frames)):
                expect_same_picture(f"{name}: ray {r}, frame {i}", want, got)


@case
def sheet_options_as_rlspreview_flags(page, native, name):
    expect_equal(f"{name}: state", "ready", page.load(name))
    for controls, flags in SHEET_OPTIONS:
        page.set(**{**SHEET_DEFAULTS, **controls})
        expect_same_picture(f"{name} {' '.join(flags)}", native.sheet(name, *flags),
                            page.canvas("sheet"))


@case
def enlarged_marked_frames_as_rlspreview(page, native, name):
    expect_equal(f"{name}: state", "ready", page.load(name))
    frames = page.view_frames(0, view_mode=OPAQUE, view_backdrop=2, view_colour="#203040",
                              view_scale=3, view_hotspot=1, view_bounds=1)
    expected = native.frames(name, "--background", "203040", "--hotspot", "--bounds",
                             "--scale", "3")
    for i, (want, got) in enumerate(zip(expected, frames)):
        expect_same_picture(f"frame {i}", want, got)


def to565(rgb):
    r, g, b = rgb
    return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3


def translucent(s, b):
    quarter = lambda v: (v >> 2) & 0x39E7
    return b + quarter(s) - quarter(b)


def additive(s, b):
    red = min((s >> 11) + (b >> 11), 31)
    green = min(((s >> 5) & 63) + ((b >> 5) & 63), 63)
    return red << 11 | green << 5 | min((s & 31) + (b & 31), 31)


@case
def modes_follow_the_blend_rules(page, name):
    """Over a plain colour: the run pixels are where the opaque sprite looks
    the same over black and over white (edge records blend with what lies
    beneath); translucent and additive draw only them, by their rules; holes
    leave some of them showing the colour and draw the edges as opaque does."""
    expect_equal(f"{name}: state", "ready", page.load(name))
    for frame in (0, 5):
        base = {"view_frame": frame, "view_backdrop": 2, "view_scale": 1, "view_hotspot": 0,
                "view_bounds": 0}
        black = page.view(**base, view_mode=OPAQUE, view_colour="#000000").getdata()
        white = page.view(**base, view_mode=OPAQUE, view_colour="#ffffff").getdata()
        runs = [i for i, (p, q) in enumerate(zip(black, white)) if p == q]
        expect(len(runs) > 100, f"frame {frame}: {len(runs)} run pixels")
        for colour in ("#203040", "#c0a080"):
            c = to565(tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5)))
            views = {mode: [to565(p) for p in page.view(**base, view_mode=mode,
                                                           view_colour=colour).getdata()]
                     for mode in (OPAQUE, HOLES, TRANSLUCENT, ADDITIVE)}
            for mode, rule in ((TRANSLUCENT, translucent), (ADDITIVE, additive)):
                expected = [c] * len(black)
                for i in runs:
                    expected[i] = rule(to565(black[i]), c)
                wrong = sum(1 for e, a in zip(expected, views[mode]) if e != a)
                expect(wrong == 0, f"frame {frame} over {colour}, mode {mode}: {wrong} pixels")
            holes = [i for i in runs if views[HOLES][i] == c != to565(black[i])]
            run_set = set(runs)
            other = [i for i in range(len(black)) if i not in run_set]
            expect(holes, f"frame {frame} over {colour}: no holes")
            expect(all(views[HOLES][i] in (c, to565(black[i])) for i in runs),
                   f"frame {frame} over {colour}: holes show something else")
            expect(all(views[HOLES][i] == views[OPAQUE][i] for i in other),
                   f"frame {frame} over {colour}: holes draw the edges otherwise")


@case
def a_dropped_png_is_the_background(page, work, name):
    expect_equal(f"{name}: state", "ready", page.load(name))
    plain = page.view(view_frame=3, view_mode=OPAQUE, view_backdrop=2, view_colour="#203040",
                      view_scale=2)
    for png, colours in (("solid.png", [[(0x20, 0x30, 0x40)]]),
                         ("tiles.png", [[(255, 0, 0), (0, 255, 0), (0, 0, 255)],
                                        [(255, 255, 255), (8, 4, 8), (200, 100, 50)]])):
        picture = Image.new("RGB", (len(colours[0]), len(colours)))
        for y, row in enumerate(colours):
            for x, colour in enumerate(row):
                picture.putpixel((x, y), colour)
        out = io.BytesIO()
        picture.save(out, "PNG")
        page.drop(png, out.getvalue())
        page.wait("return document.body.dataset.picture === arguments[0]", f"took {png}", png)
        view = page.canvas("sprite")
        if png == "solid.png":
            expect_same_picture("over a solid PNG as over its colour", plain, view)
            continue
        # The canvas's margin, enlarged twice: the picture repeated, in 565.
        for y in range(4):
            for x in range(4):
                r, g, b = colours[y % 2][x % 3]
                want = (r & 0xF8 | r >> 5, g & 0xFC | g >> 6, b & 0xF8 | b >> 5)
                expect_equal(f"pixel ({x}, {y})", want, view.getpixel((2 * x, 2 * y)))


@case
def picker_drop_and_recovery(page, native, work):
    expect_equal("state", "empty", page.load())
    page.d.find_element(By.ID, "open").send_keys(os.path.join(work, "wasp.sh"))
    expect_equal("wasp.sh by the picker", "ready", page.after_open(0))
    expect_same_picture("wasp.sh's sheet", native.sheet("wasp.sh"), page.canvas("sheet"))
    page.drop("gaps.shp", read(work, "gaps.shp"))
    expect_equal("gaps.shp by a drop", "ready", page.after_open(1))
    expect_same_picture("gaps.shp's sheet", native.sheet("gaps.shp"), page.canvas("sheet"))
    expect_equal("the report's name", "gaps.shp", json.loads(
        page.d.execute_async_script(DOWNLOAD))["file"])
    # A refused file, then a good one, in the same page.
    page.drop("cut100.sh", read(work, "cut100.sh"))
    expect_equal("cut100.sh by a drop", "invalid", page.after_open(2))
    expect_equal("its reason", native.reason("cut100.sh"), page.data("reason"))
    page.drop("dart.sh", read(work, "dart.sh"))
    expect_equal("dart.sh after it", "ready", page.after_open(3))
    expect_same_picture("dart.sh's sheet", native.sheet("dart.sh"), page.canvas("sheet"))


@case
def play_pause_and_step(page, name):
    expect_equal(f"{name}: state", "ready", page.load(name))
    frame = lambda: int(page.d.execute_script(
        "return document.getElementById('sprite').dataset.frame"))
    button = lambda id_: page.d.find_element(By.ID, id_)
    page.set(view_fps=50)
    button("view-play").click()
    expect_equal("the button while playing", "Pause", button("view-play").text)
    page.wait("return document.getElementById('sprite').dataset.frame !== '0'", "turned")
    button("view-play").click()
    expect_equal("the button when paused", "Play", button("view-play").text)
    at = frame()
    button("view-next").click()
    expect_equal("one step on", (at + 1) % 16, frame())
    button("view-previous").click()
    button("view-previous").click()
    expect_equal("two steps back", (at + 15) % 16, frame())


@case
def hostile_files_are_refused_with_rlsinfo_reason(page, native, names):
    """Each file ends as rlsinfo judges it: invalid with its reason, or, for
    the few of the kept set that load, ready."""
    wrong = []
    for name in names:
        state, reason = page.load(name), page.data("reason")
        expected = native.reason(name)
        if expected is None:
            if state != "ready":
                wrong.append(f"{name}: {state}, {reason!r}\n      rlsinfo: valid")
        elif state != "invalid" or reason != expected:
            wrong.append(f"{name}: {state}, {reason!r}\n      rlsinfo: {expected!r}")
        elif page.canvas("sheet") is not None or page.canvas("sprite") is not None:
            wrong.append(f"{name}: something was drawn")
    expect(not wrong, f"{len(wrong)} of {len(names)} files:\n    " + "\n    ".join(wrong))


def measure(page, native, work, name, runs=7):
    """The page's time to fetch, report on, load and draw the file (median of
    runs fresh pages), beside the native rlspreview's whole run on it."""
    page_ms = []
    for _ in range(runs):
        page.load(name)
        page_ms.append(float(page.data("ms")))
    native_ms = []
    for _ in range(runs):
        started = time.perf_counter()
        run(work, TOOLS["RLSPREVIEW"], "-o", "timed.png", name)
        native_ms.append((time.perf_counter() - started) * 1000)
    a, b = statistics.median(page_ms), statistics.median(native_ms)
    print(f"figure: {name} ({os.path.getsize(os.path.join(work, name))} bytes) loaded and "
          f"drawn by the page in {a:.1f} ms (median of {runs}); rlspreview's whole run on it "
          f"{b:.1f} ms; page / rlspreview = {a / b:.2f}")


def main():
    for variable, path in list(TOOLS.items()) + [("VIEWER_SITE", SITE)]:
        if not path or not os.path.exists(path):
            print(f"FAIL: {variable} ({path!r}) is not built")
            return 1
    if not CHROMIUM or not CHROMEDRIVER:
        skip("chromium or chromedriver is not installed")
    module = os.path.join(SITE, "vantrel-viewer.wasm")
    size = os.path.getsize(module)
    print(f"figure: vantrel-viewer.wasm is {size} bytes ({size / LARGEST_MODULE:.2f} of 400 KB)")
    if size >= LARGEST_MODULE:
        print("FAIL: the module is not under 400 KB")
        failures.append("module size")

    work = tempfile.mkdtemp(prefix="viewer-test-")
    server = None
    driver = None
    try:
        files = make_files(work, os.environ["SAMPLES"])
        hostile = make_hostile(work, os.environ.get("HOSTILE", ""))
        for entry in os.listdir(SITE):
            shutil.copy(os.path.join(SITE, entry), work)
        handler = functools.partial(QuietHandler, directory=work)
        server = ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in CHROMIUM_FLAGS + [f"--user-data-dir={os.path.join(work, 'profile')}"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        try:
            driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        except Exception as error:  # the browser cannot start here
            skip(f"Chromium does not start: {str(error).splitlines()[0]}")
        driver.set_script_timeout(PAGE_DEADLINE)
        page = Page(driver, f"http://127.0.0.1:{server.server_address[1]}")
        native = Native(work)

        every_file_as_the_tools_show_it(page, native, files)
        for name in ("wasp.sh", "gaps.shp"):
            sheet_options_as_rlspreview_flags(page, native, name)
        enlarged_marked_frames_as_rlspreview(page, native, "dart.sh")
        modes_follow_the_blend_rules(page, "dart.sh")
        a_dropped_png_is_the_background(page, work, "dart.sh")
        picker_drop_and_recovery(page, native, work)
        play_pause_and_step(page, "dart.sh")
        hostile_files_are_refused_with_rlsinfo_reason(page, native, hostile)
        measure(page, native, work, "fleet.shp")
    finally:
        if driver is not None:
            driver.quit()
        if server is not None:
            server.shutdown()
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        print(f"{len(failures)} case(s) failed")
        return 1
    print("all cases passed")
    return 0


class QuietHandler(SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


if __name__ == "__main__":
    sys.exit(main())
