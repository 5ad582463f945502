// make test-web: the browser edition's tests in Debian's Chromium, one browser for all.
// 1. Every replay case of tests/replay prints in the page what it prints natively (its
//    .expected file, which the native tests compare with), with the same exit status.
// 2. The title frame and the README's screenshots shot in the page equal the desktop's, pixel
//    for pixel (the page draws text with FreeType itself, the desktop through SDL_ttf).
// 3. Every tests/web/*.test.js passes (exit status 0), FARROW_WEB_URL naming the served page.
// Prints a line for each failure and a summary; exit status 1 when anything failed.
"use strict";
const { execFileSync, spawn, spawnSync } = require("child_process");
const fs = require("fs");
const path = require("path");
const web = require("./farrow-web.js");

const REPLAY = path.join(web.ROOT, "tests/replay");
const NATIVE = path.resolve(web.ROOT, process.env.FARROW_BUILD || "build");
// The cases that play a scenario of their own (as tests/replay/ReplayToolTest.cpp plays them),
// and those that end with another status than 0.
const OWN_STORY = {
  "eleventh-item": "eleventh-item.story.txt",
  "player-backlog": "player.story.txt",
  "player-keys": "player.story.txt",
  "player-pad": "player.story.txt",
};
const STATUS = { "deforce-not-countered": 3 };
const OWN_DAT = ["a.bmp", "a2.bmp", "una.bmp", "icon.bmp", "farrow.mid", "cap_von01.wav", "dun.wav"];
// The page's FreeType is the desktop's, built to draw the same coverage (scripts/web-deps).
const FRAME_PIXELS_MAX = 0;

// A working folder with the game's pictures and the scenario enciphered as the game ships its.
function ownScenario(story, scratch) {
  const folder = path.join(scratch, path.basename(story, ".story.txt"));
  if (fs.existsSync(folder)) return folder;
  fs.mkdirSync(path.join(folder, "dat"), { recursive: true });
  for (const name of OWN_DAT) fs.copyFileSync(path.join(web.ROOT, "dat", name), path.join(folder, "dat", name));
  execFileSync(path.join(NATIVE, "tools/farrow-story"),
               ["encode", path.join(REPLAY, story), path.join(folder, "dat/story.crp.txt")], { stdio: "ignore" });
  return folder;
}

function firstDifference(expected, actual) {
  const e = expected.split("\n"), a = actual.split("\n");
  for (let i = 0; i < Math.max(e.length, a.length); ++i) {
    if (e[i] !== a[i]) return `output line ${i + 1}: expected [${e[i] ?? "<end>"}], printed [${a[i] ?? "<end>"}]`;
  }
  return "";
}

// Two cases at a time, each in a page of its own, so that both cores work; the failures are
// told in the cases' order.
const AT_ONCE = 2;
async function replayCases(browser, url, scratch, failures) {
  const names = fs.readdirSync(REPLAY).filter((f) => f.endsWith(".expected")).map((f) => f.slice(0, -9)).sort();
  const found = new Array(names.length).fill("");
  let next = 0;
  const worker = async () => {
    for (let i = next++; i < names.length; i = next++) {
      const name = names[i];
      const options = OWN_STORY[name] ? { data: ownScenario(OWN_STORY[name], scratch) } : {};
      // Relative to the repository, as the native test names it to farrow-replay.
      const run = await web.replay(browser, url, path.relative(process.cwd(), path.join(REPLAY, `${name}.replay`)), options);
      const expected = fs.readFileSync(path.join(REPLAY, `${name}.expected`), "utf8");
      const status = STATUS[name] ?? 0;
      if (run.out !== expected || run.status !== status) {
        found[i] = `replay ${name}: ${run.status !== status ? `exit status ${run.status}, not ${status}; ` : ""}` +
                   `${firstDifference(expected, run.out)}\n${run.err}`;
      }
    }
  };
  await Promise.all(Array.from({ length: AT_ONCE }, worker));
  failures.push(...found.filter((failure) => failure !== ""));
  return `${found.filter((failure) => failure === "").length} of ${names.length} replay cases equal in Chromium and natively`;
}

// Frames shot in the page against the desktop's, both through the replay harness: the title,
// and the README's screenshots (the story's text, idea buttons, battles).
async function frames(browser, url, scratch, failures) {
  const title = path.join(scratch, "title-frame.replay");
  fs.writeFileSync(title, "frames 3\nshot title.png\n");
  const cases = [["title frame", title], ["screenshots", "docs/screenshots/screenshots.replay"]];
  const said = [];
  for (const [what, script] of cases) {
    const native = path.join(scratch, `native-${said.length}`), page = path.join(scratch, `page-${said.length}`);
    execFileSync(path.join(NATIVE, "tools/farrow-replay"), ["--no-persist", "--shots", native, script],
                 { cwd: web.ROOT, stdio: "ignore", env: { ...process.env, SDL_VIDEODRIVER: "dummy", SDL_AUDIODRIVER: "dummy" } });
    const run = await web.replay(browser, url, script, { noPersist: true });
    fs.mkdirSync(page);
    let pixels = 0, differing = 0, more = 0;
    for (const name of fs.readdirSync(native).sort()) {
      if (!run.shots[name]) {
        failures.push(`${what}: the page wrote no ${name}\n${run.err}`);
        continue;
      }
      fs.writeFileSync(path.join(page, name), run.shots[name]);
      // ImageMagick's count of the pixels that differ at all, and by more than 1/255 in a
      // channel (a colour distance of 0.5 %; 1/255 in two channels is 0.32 %), on standard error.
      const count = (fuzz) => Number.parseInt(spawnSync("compare", ["-metric", "AE", "-fuzz", fuzz, path.join(native, name),
                                                                    path.join(page, name), "null:"], { encoding: "utf8" }).stderr, 10);
      pixels += 160000;
      differing += count("0");
      more += count("0.5%");
    }
    if (pixels === 0) failures.push(`${what}: farrow-replay wrote no shot`);
    if (!(differing <= FRAME_PIXELS_MAX && more === 0)) {
      failures.push(`${what}: ${differing} pixels differ (at most ${FRAME_PIXELS_MAX}), ${more} by more than 1/255 (none)`);
    }
    said.push(`${what}: ${differing} of ${pixels} pixels differ from the desktop's, ${more} by more than 1/255`);
  }
  return said.join("; ");
}

// Each runs while this process serves the page: not synchronously.
function runNode(file, env) {
  return new Promise((resolve) => {
    const child = spawn(process.execPath, [file], { env, stdio: ["ignore", "pipe", "pipe"] });
    let output = "";
    child.stdout.on("data", (d) => { output += d; });
    child.stderr.on("data", (d) => { output += d; });
    const timer = setTimeout(() => child.kill(), 300000);
    child.on("close", (status) => {
      clearTimeout(timer);
      resolve({ status, output });
    });
  });
}

async function pageTests(url, failures) {
  const tests = fs.readdirSync(__dirname).filter((f) => f.endsWith(".test.js")).sort();
  let passed = 0;
  for (const test of tests) {
    const run = await runNode(path.join(__dirname, test), { ...process.env, FARROW_WEB_URL: `${url}/web/` });
    if (run.status === 0) {
      ++passed;
    } else {
      failures.push(`${test}: exit status ${run.status}\n${run.output}`);
    }
  }
  return `${passed} of ${tests.length} page tests passed`;
}

async function main() {
  const scratch = web.scratch("farrow-test-web-");
  const server = await web.serve(web.ROOTS);
  const failures = [];
  const summary = [];
  try {
    const browser = await web.launch();
    try {
      summary.push(await replayCases(browser, server.url, scratch, failures));
      summary.push(await frames(browser, server.url, scratch, failures));
    } finally {
      await browser.close();
    }
    summary.push(await pageTests(server.url, failures));
  } finally {
    await server.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
  for (const failure of failures) process.stdout.write(`FAILED ${failure.trimEnd()}\n`);
  process.stdout.write(`test-web: ${summary.join("; ")}\n`);
  return failures.length === 0 ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  process.stderr.write(`test-web: ${error.stack || error}\n`);
  process.exit(1);
});
