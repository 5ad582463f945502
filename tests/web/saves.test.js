'use strict';
// The browser edition as a person meets it, in Debian's Chromium: the overlay's click starts the
// sound, a tap plays, and a quick save (F5) is still there after the page is reloaded (F9 on the
// title loads it). The page is served at FARROW_WEB_URL; one line per failure, status 1 if any.
const { chromium } = require('playwright-core');
const fs = require('fs');
const os = require('os');
const path = require('path');

const url = process.env.FARROW_WEB_URL || 'http://localhost:8765/';
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const Beat = 1000;  // a person's pace between inputs
const NoticeMs = 2500;  // the band that repeats the title's message lasts two seconds

async function openPage(context) {
  const page = context.pages()[0] || (await context.newPage());
  await page.goto(url);
  await page.waitForSelector('#farrow-canvas', { timeout: 20000 });
  await pause(Beat);
  return page;
}
// The play area's pixels (RGBA, 400 x 400), and the share of them that differ between two such
// in a rectangle (all of it unless told). The title's fog and the harbour's water move by
// themselves; the story's text does not.
const look = async (page) => Buffer.from(await page.evaluate(() => {
  const pixels = document.getElementById('farrow-canvas').getContext('2d').getImageData(0, 0, 400, 400).data;
  let text = '';
  for (let i = 0; i < pixels.length; i += 0x8000) text += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
  return btoa(text);
}), 'base64');
const changed = (p, q, [x0, y0, x1, y1] = [0, 0, 400, 400]) => {
  let n = 0;
  for (let y = y0; y < y1; ++y) {
    for (let x = x0; x < x1; ++x) {
      const i = (y * 400 + x) * 4;
      if (p[i] !== q[i] || p[i + 1] !== q[i + 1] || p[i + 2] !== q[i + 2]) ++n;
    }
  }
  return n / ((x1 - x0) * (y1 - y0));
};
const StoryText = [0, 200, 140, 320];  // the story's lines left of the harbour's picture
const audioState = (page) => page.evaluate(() => (Module.farrowAudio ? Module.farrowAudio.context.state : 'none'));
const caption = (page) => page.evaluate(() => document.title);

async function main() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'farrow-web-'));
  // The profile is the browser's storage: the same one across the reload.
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.FARROW_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'],
    viewport: { width: 820, height: 860 },
    hasTouch: true,
  });
  try {
    // Headless Chromium lets any page play; a browser with a person in front of it starts a
    // page's audio suspended and resumes it only within a few seconds of a gesture (a press, a
    // click, a touch). That rule, as the page meets it:
    await context.addInitScript(() => {
      let gesture = -Infinity;
      ['keydown', 'mousedown', 'pointerdown', 'touchend'].forEach((type) => window.addEventListener(type, (e) => {
        if (e.isTrusted) gesture = performance.now();
      }, true));
      const allowed = () => performance.now() - gesture < 5000;
      const Real = window.AudioContext;
      window.AudioContext = class extends Real {
        constructor(options) {
          super(options);
          if (!allowed()) super.suspend();
        }
        resume() {
          return allowed() ? super.resume() : Promise.reject(new DOMException('no gesture', 'NotAllowedError'));
        }
      };
    });
    const page = await openPage(context);
    check((await audioState(page)) !== 'running', 'the sound ran before the overlay was clicked');
    await page.click('#start');
    await pause(Beat);
    check((await audioState(page)) === 'running', `the overlay's click did not start the sound (${await audioState(page)})`);

    const box = await page.locator('#farrow-canvas').boundingBox();
    const tap = () => page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    const title = await look(page);
    await tap();
    await pause(Beat);
    const first = await look(page);
    check(changed(title, first) > 0.5, 'a tap on the title did not start the story');
    await pause(Beat);
    const firstStill = await look(page);
    check(changed(first, firstStill, StoryText) === 0, "the story's text changed by itself");
    await tap();
    await pause(Beat);
    const second = await look(page);
    check(changed(firstStill, second, StoryText) > 0.005, 'a tap did not advance the story');
    for (let i = 0; i < 2; ++i) {
      await page.keyboard.press('Space');
      await pause(Beat);
    }
    await page.keyboard.press('F5');
    await pause(Beat);
    check((await caption(page)).includes('クイックセーブしました'), `F5 did not save: "${await caption(page)}"`);
    await pause(NoticeMs);
    const saved = await look(page);

    await page.reload();
    await page.waitForSelector('#farrow-canvas', { timeout: 20000 });
    await pause(Beat);
    await page.click('#start');
    await pause(Beat);
    const reloaded = await look(page);
    check(changed(saved, reloaded) > 0.5, 'the reloaded page did not open on the title');
    await page.keyboard.press('F9');
    await pause(Beat);
    check((await caption(page)).includes('クイックロードしました'), `after a reload F9 loaded nothing: "${await caption(page)}"`);
    await pause(NoticeMs);
    const loaded = await look(page);
    check(changed(saved, loaded) < 0.05, 'after a reload the quick save did not bring back the saved screen');
    check(changed(saved, loaded, StoryText) === 0, 'after a reload the saved line is not on screen');
    if (process.env.FARROW_WEB_SHOTS) {
      await page.screenshot({ path: path.join(process.env.FARROW_WEB_SHOTS, 'saves-reloaded.png') });
    }
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

const guard = setTimeout(() => { console.log('saves.test.js: took over 60 s'); process.exit(1); }, 60000);
main().then(() => {
  clearTimeout(guard);
  failures.forEach((f) => console.log(`saves.test.js: ${f}`));
  process.exit(failures.length > 0 ? 1 : 0);
}, (error) => {
  clearTimeout(guard);
  console.log(`saves.test.js: ${error.message.split('\n')[0]}`);
  process.exit(1);
});
