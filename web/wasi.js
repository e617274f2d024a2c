// The system interface (WASI, preview 1) the viewer's module is built
// against, as far as the module uses it: a read-only file system that holds
// the files the page hands over, standard output and error written to the
// console, no arguments and no environment. The module opens a file by the
// name it was given, resolved in the one folder "/" (descriptor 3); every
// other descriptor is refused.

const SUCCESS = 0;
const ACCES = 2;
const BADF = 8;
const INVAL = 28;
const ISDIR = 31;
const NOENT = 44;
const NOTDIR = 54;
const SPIPE = 70;

const FILETYPE_CHARACTER_DEVICE = 2;
const FILETYPE_DIRECTORY = 3;
const FILETYPE_REGULAR_FILE = 4;
const OFLAGS_CREAT = 1;
const OFLAGS_DIRECTORY = 2;
const OFLAGS_TRUNC = 8;
const ROOT_FD = 3;
const ROOT_NAME = "/";

// Thrown by proc_exit: the module asked to end.
export class ModuleExit extends Error {
  constructor(code) {
    super(`the module ended with exit code ${code}`);
    this.code = code;
  }
}

export class PageWasi {
  constructor() {
    this.memory = null; // set once the instance exists
    this.files = new Map(); // name -> Uint8Array
    this.open = new Map(); // descriptor -> { bytes, at }
    this.nextFd = ROOT_FD + 1;
    this.lines = { 1: "", 2: "" };
  }

  // The files the module may read from now on, by name; the others go.
  setFiles(files) {
    this.files = new Map(Object.entries(files));
    this.open.clear();
  }

  view() {
    return new DataView(this.memory.buffer);
  }

  bytesAt(pointer, length) {
    return new Uint8Array(this.memory.buffer, pointer, length);
  }

  // Each iovec is a 32-bit address and a 32-bit length.
  *iovecs(pointer, count) {
    const view = this.view();
    for (let i = 0; i < count; i++) {
      yield [view.getUint32(pointer + 8 * i, true), view.getUint32(pointer + 8 * i + 4, true)];
    }
  }

  consoleWrite(fd, text) {
    const lines = (this.lines[fd] + text).split("\n");
    this.lines[fd] = lines.pop();
    for (const line of lines) (fd === 2 ? console.error : console.log)(line);
  }

  imports() {
    const wasi = {
      args_sizes_get: (countAt, sizeAt) => {
        this.view().setUint32(countAt, 0, true);
        this.view().setUint32(sizeAt, 0, true);
        return SUCCESS;
      },
      args_get: () => SUCCESS,
      environ_sizes_get: (countAt, sizeAt) => {
        this.view().setUint32(countAt, 0, true);
        this.view().setUint32(sizeAt, 0, true);
        return SUCCESS;
      },
      environ_get: () => SUCCESS,
      fd_prestat_get: (fd, at) => {
        if (fd !== ROOT_FD) return BADF;
        this.view().setUint8(at, 0); // a folder
        this.view().setUint32(at + 4, ROOT_NAME.length, true);
        return SUCCESS;
      },
      fd_prestat_dir_name: (fd, at, length) => {
        if (fd !== ROOT_FD) return BADF;
        this.bytesAt(at, length).set(new TextEncoder().encode(ROOT_NAME).subarray(0, length));
        return SUCCESS;
      },
      fd_fdstat_get: (fd, at) => {
        let type;
        if (fd <= 2) type = FILETYPE_CHARACTER_DEVICE;
        else if (fd === ROOT_FD) type = FILETYPE_DIRECTORY;
        else if (this.open.has(fd)) type = FILETYPE_REGULAR_FILE;
        else return BADF;
        const view = this.view();
        view.setUint8(at, type);
        view.setUint16(at + 2, 0, true);
        view.setBigUint64(at + 8, 0xffffffffffffffffn, true);
        view.setBigUint64(at + 16, 0xffffffffffffffffn, true);
        return SUCCESS;
      },
      fd_fdstat_set_flags: (fd) => (fd <= 2 || this.open.has(fd) ? SUCCESS : BADF),
      path_open: (dirFd, _lookup, pathAt, pathLength, oflags, _rights, _inherited, _fdflags,
        fdAt) => {
        if (dirFd !== ROOT_FD) return BADF;
        const path = new TextDecoder().decode(this.bytesAt(pathAt, pathLength).slice());
        if (path === "" || path === ".") return oflags & OFLAGS_DIRECTORY ? ACCES : ISDIR;
        const bytes = this.files.get(path);
        if (bytes === undefined) return oflags & OFLAGS_CREAT ? ACCES : NOENT;
        if (oflags & (OFLAGS_CREAT | OFLAGS_TRUNC)) return ACCES;
        if (oflags & OFLAGS_DIRECTORY) return NOTDIR;
        const fd = this.nextFd++;
        this.open.set(fd, { bytes, at: 0 });
        this.view().setUint32(fdAt, fd, true);
        return SUCCESS;
      },
      fd_read: (fd, iovs, count, readAt) => {
        let read = 0;
        if (fd !== 0) {
          const file = this.open.get(fd);
          if (file === undefined) return BADF;
          for (const [at, length] of this.iovecs(iovs, count)) {
            const piece = file.bytes.subarray(file.at, file.at + length);
            this.bytesAt(at, piece.length).set(piece);
            file.at += piece.length;
            read += piece.length;
            if (piece.length < length) break;
          }
        }
        this.view().setUint32(readAt, read, true);
        return SUCCESS;
      },
      fd_seek: (fd, offset, whence, resultAt) => {
        if (fd <= 2) return SPIPE;
        const file = this.open.get(fd);
        if (file === undefined) return BADF;
        const base = [0, file.at, file.bytes.length][whence];
        if (base === undefined) return INVAL;
        const to = BigInt(base) + offset;
        if (to < 0n) return INVAL;
        file.at = Number(to);
        this.view().setBigUint64(resultAt, to, true);
        return SUCCESS;
      },
      fd_write: (fd, iovs, count, writtenAt) => {
        if (fd !== 1 && fd !== 2) return BADF;
        let written = 0;
        for (const [at, length] of this.iovecs(iovs, count)) {
          this.consoleWrite(fd, new TextDecoder().decode(this.bytesAt(at, length).slice()));
          written += length;
        }
        this.view().setUint32(writtenAt, written, true);
        return SUCCESS;
      },
      fd_close: (fd) => (this.open.delete(fd) || fd <= ROOT_FD ? SUCCESS : BADF),
      proc_exit: (code) => {
        throw new ModuleExit(code);
      },
    };
    return { wasi_snapshot_preview1: wasi };
  }
}
