// make bench-web: the page's speed in Debian's Chromium against the desktop's, in the same run.
// 1. A frame's CPU time: the frame function on the title and in play, in the page
//    (farrow-frame-bench, timed with performance.now) and natively (bench/FrameBench.cpp's
//    TitleFrame and SceneWithText, CPU time); prints both and their ratio.
// 2. The page's own frame loop: frames shown a second over FPS_SECONDS (default 10) on the title
//    and in play, counted as the canvas takes them; fails below 19 (a frame comes once more than
//    50 ms have passed: at most 19.6 a second, on the desktop too).
"use strict";
const { execFileSync } = require("child_process");
const path = require("path");
const web = require("./farrow-web.js");

const NATIVE = path.resolve(web.ROOT, process.env.FARROW_BUILD || "build");
const SECONDS = Number(process.env.FPS_SECONDS || 10);

function nativeFrames() {
  const json = execFileSync(path.join(NATIVE, "bench/paint-bench"),
                            ["--benchmark_filter=^(TitleFrame|SceneWithText)$", "--benchmark_format=json"],
                            { cwd: web.ROOT, encoding: "utf8", stdio: ["ignore", "pipe", "ignore"],
                              env: { ...process.env, SDL_VIDEODRIVER: "dummy", SDL_AUDIODRIVER: "dummy" } });
  const ms = {};
  for (const b of JSON.parse(json).benchmarks) ms[b.name] = b.cpu_time;  // the unit is ms
  return ms;
}

async function pageFrames(browser, url) {
  const result = await web.run(browser, url, "farrow-frame-bench", []);
  await result.page.close();
  if (result.status !== 0) throw new Error(`farrow-frame-bench in the page: status ${result.status}\n${result.err}`);
  const ms = {};
  for (const line of result.out.trim().split("\n")) {
    const [name, mean] = line.split(" ");
    ms[name] = Number(mean);
  }
  return ms;
}

// The game's page as a person opens it: the overlay clicked, then frames counted on the title
// and, after a click on the play area, in play.
async function frameRate(browser, url) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  await page.addInitScript(() => {
    window.farrowFramesShown = 0;
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
      ++window.farrowFramesShown;
      return put.apply(this, args);
    };
  });
  await page.goto(`${url}/web/`);
  await page.click("#start");
  await page.waitForFunction(() => window.farrowFramesShown > 20, null, { timeout: 60000 });
  const count = async () => {
    const before = await page.evaluate(() => [window.farrowFramesShown, performance.now()]);
    await page.waitForTimeout(SECONDS * 1000);
    const after = await page.evaluate(() => [window.farrowFramesShown, performance.now()]);
    return (after[0] - before[0]) / ((after[1] - before[1]) / 1000);
  };
  const title = await count();
  const box = await page.locator("#farrow-canvas").boundingBox();
  for (let i = 0; i < 2; ++i) {  // the first press dismisses the title, the second plays
    await page.mouse.click(box.x + box.width * 0.75, box.y + box.height / 2);
    await page.waitForTimeout(1000);
  }
  const play = await count();
  await page.close();
  return { title, play };
}

async function main() {
  const server = await web.serve(web.ROOTS);
  const browser = await web.launch();
  let ok = true;
  try {
    const desktop = nativeFrames();
    const inPage = await pageFrames(browser, server.url);
    for (const name of ["TitleFrame", "SceneWithText"]) {
      const ratio = inPage[name] / desktop[name];
      process.stdout.write(`bench-web: ${name}: page ${inPage[name].toFixed(3)} ms, desktop ${desktop[name].toFixed(3)} ms,` +
                           ` ratio ${ratio.toFixed(2)}\n`);
    }
    const fps = await frameRate(browser, server.url);
    for (const [where, rate] of Object.entries(fps)) {
      process.stdout.write(`bench-web: the page's frame loop on the ${where}: ${rate.toFixed(1)} frames a second over ${SECONDS} s\n`);
      if (rate < 19) ok = false;
    }
  } finally {
    await browser.close();
    await server.close();
  }
  if (!ok) process.stdout.write("bench-web: FAILED: the page's frame loop keeps less than 19 frames a second\n");
  return ok ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  process.stderr.write(`bench-web: ${error.stack || error}\n`);
  process.exit(1);
});
