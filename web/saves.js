// The save folder out of the page and back: "Export saves" downloads one JSON file holding every
// file of the player's folders (saves, read marks, settings), each as base64 with its size and
// an FNV-1a sum; "Import saves" reads such a file, refuses it whole when any part is damaged or
// foreign, and only then writes its files over those of the same names and reloads the page, so
// that the game reads them as it starts. Module.farrowKept (the mounted folders) and
// Module.farrowKeep (the write-back to the browser's storage) come from platform/web/WebFiles.
(function () {
  "use strict";
  var FORMAT = "farrowmere-saves";
  var note = document.getElementById("files-note");
  function say(text) { note.textContent = text; }

  function fnv1a(bytes) {
    var hash = 0x811c9dc5;
    for (var i = 0; i < bytes.length; i++) hash = Math.imul(hash ^ bytes[i], 0x01000193);
    return ("0000000" + (hash >>> 0).toString(16)).slice(-8);
  }
  function toBase64(bytes) {
    var text = "";
    for (var i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }
  function fromBase64(text) {
    var raw = atob(text);
    var bytes = new Uint8Array(raw.length);
    for (var i = 0; i < raw.length; i++) bytes[i] = raw.charCodeAt(i);
    return bytes;
  }
  // A file the game writes: below its own folder, plain names, never a half-written temporary.
  function isPlayerPath(path) {
    return /^(data|config)\/farrowmere(\/[A-Za-z0-9_][A-Za-z0-9._-]*)+$/.test(path) && path.indexOf(".tmp-") < 0 &&
           path.split("/").indexOf("..") < 0;
  }
  function kept() {
    if (!Module.farrowKept || !Module.FS) throw new Error("the game has not started yet");
    return Module.farrowKept;
  }

  function collect() {
    var FS = Module.FS, files = [];
    kept().forEach(function (m) {
      (function walk(folder, shown) {
        FS.readdir(folder).forEach(function (name) {
          if (name === "." || name === "..") return;
          var path = folder + "/" + name, as = shown + "/" + name;
          var mode = FS.stat(path).mode;
          if (FS.isDir(mode)) walk(path, as);
          else if (FS.isFile(mode) && isPlayerPath(as)) {
            var bytes = FS.readFile(path);
            files.push({path: as, size: bytes.length, fnv1a: fnv1a(bytes), base64: toBase64(bytes)});
          }
        });
      })(m.folder, m.name);
    });
    return files;
  }

  function exportSaves(event) {
    event.preventDefault();
    try {
      var files = collect();
      if (files.length === 0) return say("Nothing to export yet: no save, read mark or setting.");
      var text = JSON.stringify({format: FORMAT, version: 1, files: files});
      var stamp = new Date().toISOString().replace(/[-:]/g, "").replace("T", "-").slice(0, 15);
      var link = document.createElement("a");
      link.href = URL.createObjectURL(new Blob([text], {type: "application/json"}));
      link.download = "farrowmere-saves-" + stamp + ".json";
      document.body.appendChild(link);
      link.click();
      link.remove();
      say("Exported " + files.length + " files as " + link.download + ".");
    } catch (e) {
      say("Export failed: " + (e.message || e));
    }
  }

  // The files of an export, each checked; throws why the whole file is refused.
  function readExport(text) {
    var parsed;
    try {
      parsed = JSON.parse(text);
    } catch (e) {
      throw new Error(text.indexOf('"' + FORMAT + '"') >= 0 ? "it is damaged (cut short or altered)"
                                                             : "it is not an export of Farrowmere's saves");
    }
    if (!parsed || parsed.format !== FORMAT || !Array.isArray(parsed.files)) {
      throw new Error("it is not an export of Farrowmere's saves");
    }
    if (parsed.version !== 1) throw new Error("it was made by a newer version of the game");
    if (parsed.files.length === 0) throw new Error("it holds no files");
    return parsed.files.map(function (f) {
      if (!f || typeof f.path !== "string" || !isPlayerPath(f.path) || typeof f.base64 !== "string") {
        throw new Error("it is damaged (a file without a proper name)");
      }
      var bytes;
      try { bytes = fromBase64(f.base64); } catch (e) { throw new Error("it is damaged (" + f.path + ")"); }
      if (bytes.length !== f.size || fnv1a(bytes) !== f.fnv1a) throw new Error("it is damaged (" + f.path + ")");
      return {path: f.path, bytes: bytes};
    });
  }

  // Every file written beside its place first; only when all are there do they replace the old.
  function writeAll(files) {
    var FS = Module.FS, folders = {}, written = [];
    kept().forEach(function (m) { folders[m.name] = m.folder; });
    var placed = files.map(function (f) {
      var parts = f.path.split("/");
      if (!folders[parts[0]]) throw new Error("this page keeps no " + parts[0] + " folder");
      return {path: folders[parts[0]] + "/" + parts.slice(1).join("/"), bytes: f.bytes};
    });
    try {
      placed.forEach(function (f) {
        FS.mkdirTree(f.path.slice(0, f.path.lastIndexOf("/")));
        FS.writeFile(f.path + ".tmp-import", f.bytes);
        written.push(f.path + ".tmp-import");
      });
    } catch (e) {
      written.forEach(function (t) { try { FS.unlink(t); } catch (ignored) {} });
      throw new Error("the files could not be written (" + (e.message || e) + ")");
    }
    placed.forEach(function (f) { FS.rename(f.path + ".tmp-import", f.path); });
  }

  function importSaves(file) {
    var reader = new FileReader();
    reader.onerror = function () { say("Import failed: " + file.name + " cannot be read."); };
    reader.onload = function () {
      var files;
      try {
        files = readExport(reader.result);
        writeAll(files);
      } catch (e) {
        return say("Not imported: " + file.name + ": " + (e.message || e) + "; nothing was changed.");
      }
      Module.farrowKeep().then(function (why) {
        if (why) return say("Import failed: cannot write to the browser's storage: " + why);
        sessionStorage.setItem("farrowmere-note", "Imported " + files.length + " files from " + file.name + ".");
        location.reload();
      });
    };
    reader.readAsText(file);
  }

  document.getElementById("export").addEventListener("click", exportSaves);
  var picker = document.getElementById("import-file");
  document.getElementById("import").addEventListener("click", function (event) {
    event.preventDefault();
    picker.click();
  });
  picker.addEventListener("change", function () {
    if (picker.files.length > 0) importSaves(picker.files[0]);
    picker.value = "";
  });
  var left = sessionStorage.getItem("farrowmere-note");
  if (left) {
    sessionStorage.removeItem("farrowmere-note");
    say(left);
  }
})();
