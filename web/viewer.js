// The viewer page: opens a ray (.sh) or a family (.shp) by the file picker,
// by a drop on the page or by ?src=NAME (a file served beside the page),
// and shows what the library's WebAssembly build makes of it: rlsinfo's
// report as tables (and its JSON for download), rlspreview's contact sheet,
// and each sprite in each drawing mode over a chosen background, turning as
// rlspreview --animate shows a ray.
//
// document.body.dataset.state tells where the page is: "starting", "empty"
// (no file yet), "loading", then "ready" once a file is loaded and drawn, or
// "invalid" (dataset.reason holds rlsinfo's reason) for a file the library
// refuses; "broken" when the module itself cannot be loaded. dataset.picture
// names the PNG in use as the sprites' background.

import { PageWasi } from "./wasi.js";

const MODULE_URL = "vantrel-viewer.wasm";
// Larger files are not read into the page's memory at all.
const LARGEST_FILE = 256 * 1024 * 1024;
const PNG_SIGNATURE = [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a];
// The module's sheet and view options (ViewerExports.cpp).
const SHEET_FLAGS = { holes: 1, translucent: 2, additive: 4, hotspot: 8, bounds: 16, plain: 32 };
const VIEW_HOTSPOT = 1;
const VIEW_BOUNDS = 2;
const BACKDROP_PICTURE = 3;

const $ = (id) => document.getElementById(id);

// One instance of the module. After a trap (a fatal report, or memory run
// out) the instance may hold half-built objects: the page makes a new one.
class Session {
  static async start(module) {
    const wasi = new PageWasi();
    const instance = await WebAssembly.instantiate(module, wasi.imports());
    return new Session(instance, wasi);
  }

  constructor(instance, wasi) {
    this.x = instance.exports;
    this.wasi = wasi;
    wasi.memory = this.x.memory;
    this.x._initialize();
    this.x.vt_start();
  }

  text(pointer) {
    const bytes = new Uint8Array(this.x.memory.buffer);
    let end = pointer;
    while (bytes[end] !== 0) end++;
    return new TextDecoder().decode(bytes.subarray(pointer, end));
  }

  // Opens name, holding bytes; true when the file is valid.
  open(name, bytes) {
    this.wasi.setFiles({ [name]: bytes });
    const encoded = new TextEncoder().encode(name);
    new Uint8Array(this.x.memory.buffer, this.x.vt_name(encoded.length), encoded.length).set(encoded);
    return this.x.vt_open() === 1;
  }

  image() {
    const width = this.x.vt_image_width();
    const height = this.x.vt_image_height();
    const pixels = new Uint8ClampedArray(this.x.memory.buffer, this.x.vt_image(), width * height * 4);
    return new ImageData(pixels.slice(), width, height);
  }

  setPicture(imageData) {
    const at = this.x.vt_picture(imageData.width, imageData.height);
    if (at === 0) return false;
    new Uint8Array(this.x.memory.buffer, at, imageData.data.length).set(imageData.data);
    this.x.vt_picture_done();
    return true;
  }
}

// The base name a file is opened and reported under.
function baseName(path) {
  const name = path.split(/[/\\]/).pop().replace(/\0/g, "");
  return name === "" || name === "." || name === ".." ? "file" : name;
}

function element(tag, text, className) {
  const e = document.createElement(tag);
  if (text !== undefined) e.textContent = String(text);
  if (className) e.className = className;
  return e;
}

function table(headers, rows, attributes = {}) {
  const t = element("table");
  for (const [key, value] of Object.entries(attributes)) t.dataset[key] = value;
  const head = t.createTHead().insertRow();
  for (const h of headers) head.appendChild(element("th", h));
  const body = t.createTBody();
  for (const row of rows) {
    const tr = body.insertRow();
    for (const cell of row) tr.appendChild(element("td", cell));
  }
  return t;
}

const orDash = (value) => (value === null ? "-" : value);

// One ray's sprites, as rlsinfo lists them.
function spriteTable(ray, index) {
  const rows = ray.sprites.map((s) => [
    s.index,
    s.offset,
    s.bytes,
    `${s.width}x${s.height}`,
    `${s.hotSpot.x},${s.hotSpot.y}`,
    `${s.bounds.left},${s.bounds.top} .. ${s.bounds.right},${s.bounds.bottom}`,
    orDash(s.runs),
    orDash(s.runPixels),
    s.edgeRecords,
    s.points,
  ]);
  return table(
    ["sprite", "offset", "bytes", "size", "hot spot", "bounds (l,t .. r,b)", "runs", "run px",
      "edges", "points"],
    rows,
    { ray: index },
  );
}

function showReport(doc, raw, text) {
  const info = $("info");
  info.replaceChildren();
  const summary = [["file", doc.file], ["kind", doc.kind], ["bytes", doc.bytes],
    ["valid", doc.valid ? "yes" : "no"]];
  if (doc.family) {
    summary.push(["slots", doc.family.slots.length], ["rays", doc.family.rays.length],
      ["texts", doc.family.textCount]);
  }
  const summaryTable = table([], []);
  summaryTable.id = "summary";
  summaryTable.deleteTHead();
  for (const [key, value] of summary) {
    const tr = summaryTable.tBodies[0].insertRow();
    tr.appendChild(element("th", key));
    tr.appendChild(element("td", value, "text"));
  }
  info.appendChild(summaryTable);
  if (doc.ray) {
    info.appendChild(element("h3", `${doc.ray.count} sprites, ${doc.ray.bytes} bytes`));
    info.appendChild(spriteTable(doc.ray, 0));
  }
  if (doc.family) {
    const slots = table(["slot", ...doc.family.slots.map((_, k) => k)],
      [["ray", ...doc.family.slots.map((r) => (r === null ? "-" : r))]]);
    slots.id = "slots";
    info.appendChild(slots);
    const texts = element("ol");
    texts.id = "texts";
    texts.start = 0;
    for (const t of doc.family.texts) texts.appendChild(element("li", t));
    info.appendChild(texts);
    doc.family.rays.forEach((ray, r) => {
      info.appendChild(element("h3",
        `ray ${r} at byte ${ray.offset}: ${ray.count} sprites, ${ray.bytes} bytes`));
      info.appendChild(spriteTable(ray, r));
    });
  }
  if (doc.notes.length > 0) {
    const notes = element("ul");
    notes.id = "notes";
    for (const n of doc.notes) notes.appendChild(element("li", `note: ${n}`));
    info.appendChild(notes);
  }
  const link = $("download-json");
  if (link.href.startsWith("blob:")) URL.revokeObjectURL(link.href);
  // rlsinfo --json writes the document and a line feed.
  link.href = URL.createObjectURL(new Blob([raw + "\n"], { type: "application/json" }));
  link.download = `${doc.file}.json`;
  $("report-text").textContent = text;
  $("info-section").hidden = false;
}

function paint(canvas, imageData) {
  canvas.width = imageData.width;
  canvas.height = imageData.height;
  canvas.getContext("2d").putImageData(imageData, 0, 0);
}

function clearCanvas(canvas) {
  canvas.width = 0;
  canvas.height = 0;
}

function colourValue(input) {
  return parseInt(input.value.slice(1), 16) >>> 0;
}

class Viewer {
  constructor(module) {
    this.module = module;
    this.session = null;
    this.doc = null; // the open file's report, when it is valid
    this.picture = null; // the dropped PNG's pixels
    this.timer = null;
    this.opening = Promise.resolve();
  }

  async start() {
    this.session = await Session.start(this.module);
    this.wire();
    const src = new URLSearchParams(location.search).get("src");
    if (src) {
      await this.openUrl(src);
    } else {
      this.setState("empty", "Open a .sh or .shp file, or drop one on the page.");
    }
  }

  setState(state, status, reason) {
    document.body.dataset.state = state;
    if (reason === undefined) delete document.body.dataset.reason;
    else document.body.dataset.reason = reason;
    $("status").textContent = status;
  }

  wire() {
    $("open").addEventListener("change", (e) => {
      const file = e.target.files[0];
      if (file) this.openBlob(file);
    });
    document.addEventListener("dragover", (e) => {
      e.preventDefault();
      document.body.classList.add("dragging");
    });
    document.addEventListener("dragleave", () => document.body.classList.remove("dragging"));
    document.addEventListener("drop", (e) => {
      e.preventDefault();
      document.body.classList.remove("dragging");
      for (const file of e.dataTransfer.files) this.openBlob(file);
    });
    for (const id of ["sheet-holes", "sheet-translucent", "sheet-additive", "sheet-hotspot",
      "sheet-bounds", "sheet-plain", "sheet-colour"]) {
      $(id).addEventListener("input", () => this.guard(() => this.drawSheet()));
    }
    for (const id of ["view-mode", "view-backdrop", "view-colour", "view-scale", "view-hotspot",
      "view-bounds", "view-frame"]) {
      $(id).addEventListener("input", () => this.guard(() => this.drawView()));
    }
    $("view-ray").addEventListener("input", () => this.guard(() => this.chooseRay()));
    $("view-previous").addEventListener("click", () => this.guard(() => this.step(-1)));
    $("view-next").addEventListener("click", () => this.guard(() => this.step(1)));
    $("view-play").addEventListener("click", () => this.togglePlay());
    $("view-fps").addEventListener("input", () => {
      if (this.timer !== null) this.play();
    });
    $("view-picture").addEventListener("change", (e) => {
      const file = e.target.files[0];
      if (file) this.opening = this.opening.then(() => this.usePicture(file));
    });
  }

  // Files are taken one at a time, in the order they came.
  openBlob(blob) {
    this.opening = this.opening.then(async () => {
      const bytes = new Uint8Array(await blob.arrayBuffer());
      if (PNG_SIGNATURE.every((b, i) => bytes[i] === b)) await this.usePicture(blob);
      else await this.openBytes(baseName(blob.name), bytes, performance.now());
    });
  }

  async openUrl(src) {
    const started = performance.now();
    const name = baseName(src);
    this.setState("loading", `Loading ${name}…`);
    let bytes;
    try {
      const response = await fetch(src);
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
      bytes = new Uint8Array(await response.arrayBuffer());
    } catch (error) {
      this.showInvalid(name, `cannot read the file: ${error.message}`);
      return;
    }
    await this.openBytes(name, bytes, started);
  }

  async openBytes(name, bytes, started) {
    this.stop();
    this.doc = null;
    this.setState("loading", `Loading ${name}…`);
    $("info-section").hidden = true;
    if (bytes.length > LARGEST_FILE) {
      this.showInvalid(name, `the file is ${bytes.length} bytes; the viewer opens files of up ` +
        `to ${LARGEST_FILE} bytes`);
      return;
    }
    try {
      const valid = this.session.open(name, bytes);
      const raw = this.session.text(this.session.x.vt_json());
      const doc = JSON.parse(raw);
      showReport(doc, raw, this.session.text(this.session.x.vt_text()));
      if (!valid) {
        this.showInvalid(name, this.session.text(this.session.x.vt_reason()));
        return;
      }
      this.doc = doc;
      this.drawSheet();
      this.fillRays();
      this.drawView();
    } catch (error) {
      this.showInvalid(name, await this.recover(error));
      return;
    }
    $("sheet-section").hidden = false;
    $("view-section").hidden = false;
    const ms = performance.now() - started;
    document.body.dataset.ms = ms.toFixed(1);
    this.setState("ready", `${name}: ${this.doc.kind}, ${this.doc.bytes} bytes, valid ` +
      `(loaded and drawn in ${ms.toFixed(0)} ms)`);
    this.finished(name);
  }

  // dataset.file names the file last opened; dataset.opened counts the
  // files opened since the page started, so that a wait can tell one open
  // from the next.
  finished(name) {
    document.body.dataset.file = name;
    document.body.dataset.opened = String(Number(document.body.dataset.opened || 0) + 1);
  }

  // What went wrong when the module trapped, and a fresh instance for what
  // comes next.
  async recover(error) {
    let text = "";
    try {
      text = this.session.text(this.session.x.vt_fatal_text());
    } catch (ignored) {
      // the instance is beyond reading; the error's own words remain
    }
    this.session = await Session.start(this.module);
    if (this.picture) this.session.setPicture(this.picture);
    return text || `the viewer stopped on this file: ${error.message}`;
  }

  showInvalid(name, reason) {
    this.stop();
    this.doc = null;
    clearCanvas($("sheet"));
    clearCanvas($("sprite"));
    $("sheet-section").hidden = true;
    $("view-section").hidden = true;
    this.setState("invalid", `${name}: invalid: ${reason}`, reason);
    this.finished(name);
  }

  // Runs a redraw; a trap there leaves the page showing the file as invalid.
  async guard(action) {
    if (this.doc === null) return;
    try {
      action();
    } catch (error) {
      this.showInvalid(this.doc.file, await this.recover(error));
    }
  }

  drawSheet() {
    let flags = 0;
    for (const [name, bit] of Object.entries(SHEET_FLAGS)) {
      if ($(`sheet-${name}`).checked) flags |= bit;
    }
    const leftOut = this.session.x.vt_sheet(flags, colourValue($("sheet-colour")));
    paint($("sheet"), this.session.image());
    $("sheet-note").textContent =
      leftOut > 0 ? `${leftOut} sprites did not fit the sheet and were left out` : "";
  }

  fillRays() {
    const select = $("view-ray");
    select.replaceChildren();
    const slots = this.doc.family ? this.doc.family.slots : [0];
    const count = this.session.x.vt_ray_count();
    for (let r = 0; r < count; r++) {
      const used = slots.flatMap((ray, k) => (ray === r ? [k] : []));
      const label = this.doc.family ? `ray ${r} (slot ${used.join(", ")})` : "ray";
      select.appendChild(new Option(label, String(r)));
    }
    $("view-ray-label").hidden = !this.doc.family;
    this.chooseRay();
  }

  chooseRay() {
    const count = this.session.x.vt_ray_sprites(Number($("view-ray").value));
    $("view-count").textContent = count;
    $("view-frame").max = Math.max(count - 1, 0);
    $("view-frame").value = 0;
    this.drawView();
  }

  step(by) {
    const count = Number($("view-count").textContent);
    if (count === 0) return;
    const frame = $("view-frame");
    frame.value = (((Number(frame.value) + by) % count) + count) % count;
    this.drawView();
  }

  drawView() {
    const canvas = $("sprite");
    const count = Number($("view-count").textContent);
    const frame = Math.min(Math.max(Math.trunc(Number($("view-frame").value)) || 0, 0),
      Math.max(count - 1, 0));
    const scale = Number($("view-scale").value);
    const marks = ($("view-hotspot").checked ? VIEW_HOTSPOT : 0) |
      ($("view-bounds").checked ? VIEW_BOUNDS : 0);
    const used = this.session.x.vt_view(Number($("view-ray").value), frame,
      Number($("view-mode").value), Number($("view-backdrop").value),
      colourValue($("view-colour")), marks, scale);
    $("view-scale-shown").textContent = `${scale}×`;
    if (used === 0) {
      clearCanvas(canvas);
      $("view-note").textContent = count === 0 ? "the ray holds no sprite"
        : "the ray's sprites are too large to show on one canvas";
      return;
    }
    paint(canvas, this.session.image());
    canvas.dataset.frame = frame;
    canvas.dataset.scale = used;
    $("view-note").textContent = used < scale ? `shown at ${used}×: larger would not fit` : "";
  }

  togglePlay() {
    if (this.timer === null) this.play();
    else this.stop();
  }

  play() {
    this.stop();
    const fps = Math.min(Math.max(Number($("view-fps").value) || 12, 1), 100);
    this.timer = setInterval(() => this.guard(() => this.step(1)), 1000 / fps);
    $("view-play").textContent = "Pause";
  }

  stop() {
    if (this.timer !== null) clearInterval(this.timer);
    this.timer = null;
    $("view-play").textContent = "Play";
  }

  async usePicture(blob) {
    let imageData;
    try {
      const bitmap = await createImageBitmap(blob,
        { premultiplyAlpha: "none", colorSpaceConversion: "none" });
      const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
      const context = canvas.getContext("2d");
      context.drawImage(bitmap, 0, 0);
      imageData = context.getImageData(0, 0, bitmap.width, bitmap.height);
    } catch (error) {
      $("view-note").textContent = `${baseName(blob.name)}: not a picture the browser reads`;
      return;
    }
    if (!this.session.setPicture(imageData)) {
      this.picture = null;
      $("view-note").textContent = `${baseName(blob.name)}: larger than the viewer takes`;
      return;
    }
    this.picture = imageData;
    document.body.dataset.picture = baseName(blob.name);
    const option = $("view-backdrop").querySelector(`option[value="${BACKDROP_PICTURE}"]`);
    option.disabled = false;
    option.textContent = `picture (${baseName(blob.name)})`;
    $("view-backdrop").value = String(BACKDROP_PICTURE);
    await this.guard(() => this.drawView());
  }
}

async function main() {
  let module;
  try {
    const response = await fetch(MODULE_URL);
    if (!response.ok) throw new Error(`${MODULE_URL}: ${response.status} ${response.statusText}`);
    module = await WebAssembly.compile(await response.arrayBuffer());
  } catch (error) {
    document.body.dataset.state = "broken";
    document.body.dataset.reason = error.message;
    $("status").textContent = `The viewer cannot start: ${error.message}`;
    return;
  }
  await new Viewer(module).start();
}

main();
