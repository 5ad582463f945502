// What the browser edition's tests share: a tiny static server for the built page, Debian's
// Chromium driven by playwright-core, and a replay script played by the harness in the page
// (the page's own game, its input arriving as the page's events) as farrow-replay plays it.
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const { chromium } = require("playwright-core");

const TYPES = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".data": "application/octet-stream", ".png": "image/png", ".json": "application/json",
};

// Serves each folder of roots (URL prefix -> folder) on a free port of this machine.
// Resolves to { url, close() }.
function serve(roots) {
  const server = http.createServer((req, res) => {
    const url = decodeURIComponent(new URL(req.url, "http://x").pathname);
    for (const [prefix, folder] of Object.entries(roots)) {
      if (!url.startsWith(prefix)) continue;
      let file = path.join(folder, url.slice(prefix.length));
      if (!file.startsWith(path.resolve(folder))) break;
      if (url.endsWith("/")) file = path.join(file, "index.html");
      fs.readFile(file, (err, body) => {
        if (err) {
          res.writeHead(404).end();
          return;
        }
        res.writeHead(200, { "Content-Type": TYPES[path.extname(file)] || "application/octet-stream",
                             "Cache-Control": "no-store" });
        res.end(body);
      });
      return;
    }
    res.writeHead(404).end();
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => {
      resolve({ url: `http://127.0.0.1:${server.address().port}`, close: () => new Promise((r) => server.close(r)) });
    });
  });
}

// Debian's Chromium, headless, with a fresh profile and nothing of its own on the network.
function launch() {
  return chromium.launch({
    executablePath: process.env.FARROW_CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run"],
  });
}

// The files of a folder, by their path under base, as base64.
function filesUnder(folder, base, into) {
  for (const name of fs.readdirSync(folder)) {
    const file = path.join(folder, name);
    if (fs.statSync(file).isDirectory()) {
      filesUnder(file, `${base}/${name}`, into);
    } else {
      into[`${base}/${name}`] = fs.readFileSync(file).toString("base64");
    }
  }
  return into;
}

// Runs one of the game's own programs (build-web/harness/: farrow-replay, farrow-frame-bench) in
// one load of the harness's page, with its arguments, files put in the page's file system
// ({ path: base64 }) and working folder. Resolves to { out, err, status, page } once the
// program has ended (status -1: it did not end; page still open for read(), then close it).
async function run(browser, baseUrl, program, args, files = {}, cwd = "/") {
  const page = await browser.newPage();
  const out = [], err = [];
  let finish;
  const done = new Promise((resolve) => { finish = resolve; });
  page.on("console", (message) => {
    const text = message.text();
    if (message.type() === "debug" && text.startsWith("farrow-exit ")) {
      finish(text.slice("farrow-exit ".length));
    } else if (message.type() === "log") {
      out.push(text);
    } else if (message.type() === "error") {
      err.push(text);
    }
  });
  page.on("pageerror", (error) => {
    if (!/ExitStatus|exit\(/.test(String(error))) err.push(`page: ${error}`);
  });
  await page.addInitScript((input) => { window.farrowInput = input; }, { program, args, files, cwd });
  await page.goto(`${baseUrl}/harness/harness.html`);
  let timer;
  const ended = await Promise.race([done, new Promise((r) => { timer = setTimeout(() => r("timeout"), 300000); })]);
  clearTimeout(timer);
  const status = /^\d+$/.test(ended) ? Number(ended) : -1;
  if (status < 0) err.push(`${program} in the page: ${ended}`);
  return { out: out.map((line) => `${line}\n`).join(""), err: err.map((line) => `${line}\n`).join(""), status, page };
}

// Plays a replay script in the page as farrow-replay plays it. options: seed, data (a folder
// whose dat/ the game reads, as farrow-replay reads the working folder's), story (a plain
// scenario), noPersist. The script and the story are put in the page's file system under the
// names given, so that what the harness prints names them as farrow-replay would. Resolves to
// { out, err, status, shots: { name: PNG bytes } }.
async function replay(browser, baseUrl, script, options = {}) {
  const cwd = options.data ? "/data" : "/";
  const inPage = (name) => path.posix.resolve(cwd, name);
  const files = {};
  if (options.data) filesUnder(path.join(options.data, "dat"), "/data/dat", files);
  const args = ["--shots", "/shots"];
  if (options.seed !== undefined) args.push("--seed", String(options.seed));
  if (options.noPersist) args.push("--no-persist");
  if (options.story) {
    files[inPage(options.story)] = fs.readFileSync(options.story).toString("base64");
    args.push("--story", options.story);
  }
  files[inPage(script)] = fs.readFileSync(script).toString("base64");
  args.push(script);

  const result = await run(browser, baseUrl, "farrow-replay", args, files, cwd);
  const shots = {};
  if (result.status >= 0) {
    const read = await result.page.evaluate(() => {
      const files = {};
      if (!FS.analyzePath("/shots").exists) return files;
      for (const name of FS.readdir("/shots")) {
        if (name === "." || name === "..") continue;
        const bytes = FS.readFile(`/shots/${name}`);
        let text = "";
        for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        files[name] = btoa(text);
      }
      return files;
    });
    for (const [name, base64] of Object.entries(read)) shots[name] = Buffer.from(base64, "base64");
  }
  await result.page.close();
  return { out: result.out, err: result.err, status: result.status, shots };
}

// The repository's folders.
const ROOT = path.resolve(__dirname, "../..");
const WEB = process.env.FARROW_WEB_BUILD || path.join(ROOT, "build-web");
const ROOTS = { "/web/": path.join(WEB, "web"), "/harness/": path.join(WEB, "harness") };

function scratch(prefix) { return fs.mkdtempSync(path.join(os.tmpdir(), prefix)); }

module.exports = { serve, launch, run, replay, ROOT, WEB, ROOTS, scratch };
