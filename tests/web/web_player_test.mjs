// SPDX-License-Identifier: GPL-3.0-or-later
// The web player in headless Chromium, on a site made by `tarnel-skin package --web`:
//   node web_player_test.mjs SITE DAY_PNG TEXT_AREAS DAMAGED_SITE DAMAGED_ERROR
// SITE holds the demo skin; DAY_PNG is `tarnel-skin render`'s picture of its day page;
// TEXT_AREAS names the rectangles where text is drawn ("left top right bottom" a line);
// DAMAGED_SITE holds a skin whose tarnel.dat is damaged, DAMAGED_ERROR the desktop player's
// message for it. Prints what failed and exits 1; exits 0 when everything held.
import { createServer } from 'node:http';
import { readFileSync, existsSync, statSync } from 'node:fs';
import { extname, join, normalize } from 'node:path';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { spawn } from 'node:child_process';
import { createRequire } from 'node:module';

// puppeteer-core from the folder scripts/build-web installs it into (NODE_PATH).
const puppeteer = createRequire(join(process.env.NODE_PATH, 'x'))('puppeteer-core');

const [site, dayPng, textAreasFile, damagedSite, damagedErrorFile] = process.argv.slice(2);
const textAreas = readFileSync(textAreasFile, 'utf8').trim().split('\n').map(line => line.split(/\s+/).map(Number));
const damagedError = readFileSync(damagedErrorFile, 'utf8').trim();
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); console.log((ok ? 'ok   ' : 'FAIL ') + what); };

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png', '.txt': 'text/plain' };
function serve(root) {
  const server = createServer((request, response) => {
    const path = normalize(join(root, decodeURIComponent(new URL(request.url, 'http://x').pathname)));
    const file = path.endsWith('/') ? join(path, 'index.html') : path;
    if (!file.startsWith(root) || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    const body = readFileSync(file);
    response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream', 'Content-Length': body.length });
    response.end(body);
  });
  return new Promise(resolve => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const userData = mkdtempSync(join(tmpdir(), 'vorlunde-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: userData,
  ignoreDefaultArgs: ['--mute-audio'], // the sound goes to the test's PulseAudio null sink
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});

// Opens a site; collects console errors and uncaught exceptions.
async function open(root) {
  const server = await serve(root);
  const page = await browser.newPage();
  const errors = [];
  page.on('console', message => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', error => errors.push(String(error)));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  return { page, errors, server };
}

// The loudest sample Chromium played into the null sink over `seconds`.
function recordPeak(seconds) {
  return new Promise(resolve => {
    const recorder = spawn('parec', ['-d', 'capture.monitor', '--raw', '--format=s16le', '--channels=2', '--rate=44100']);
    let peak = 0;
    recorder.stdout.on('data', chunk => {
      for (let i = 0; i + 1 < chunk.length; i += 2) peak = Math.max(peak, Math.abs(chunk.readInt16LE(i)));
    });
    recorder.on('error', () => resolve(0));
    setTimeout(() => { recorder.kill(); resolve(peak); }, seconds * 1000);
  });
}

const waitFor = (page, fn, arg, timeout = 20000) => page.waitForFunction(fn, { timeout, polling: 50 }, arg).then(() => true, () => false);

try {
  const { page, errors, server } = await open(site);
  check(await waitFor(page, () => Module.vorlundePage.times.firstFrame !== null && Module.vorlundePage.canvas.style.visibility === 'visible'),
        'the intro appears');
  check(await waitFor(page, () => Number(Module.vorlundePage.canvas.style.opacity) > 0.9), 'the intro fades in');

  // A click starts: the intro gives way to the day page, which the player draws as render does.
  const box = await (await page.$('canvas')).boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  const clicked = Date.now();
  await page.mouse.move(box.x + 1, box.y + 1);
  const expected = readFileSync(dayPng).toString('base64');
  const compare = async () => page.evaluate(async (png, areas) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + png;
    await image.decode();
    const scratch = new OffscreenCanvas(image.width, image.height).getContext('2d');
    scratch.drawImage(image, 0, 0);
    const want = scratch.getImageData(0, 0, image.width, image.height).data;
    const canvas = Module.vorlundePage.canvas;
    const have = Module.vorlundePage.context.getImageData(0, 0, canvas.width, canvas.height).data;
    if (canvas.width !== image.width || canvas.height !== image.height) return { size: false };
    let differing = 0, compared = 0, outside = 0;
    const where = [1e9, 1e9, -1, -1];
    const samples = [];
    const differs = (x, y) => { if (samples.length < 4) { const i = 4 * (y * image.width + x); samples.push([x, y, ...have.slice(i, i + 4), ...want.slice(i, i + 4)].join(' ')); } ++differing; where[0] = Math.min(where[0], x); where[1] = Math.min(where[1], y); where[2] = Math.max(where[2], x); where[3] = Math.max(where[3], y); };
    for (let y = 0; y < image.height; ++y) {
      for (let x = 0; x < image.width; ++x) {
        if (areas.some(([l, t, r, b]) => x >= l && x < r && y >= t && y < b)) continue;
        const i = 4 * (y * image.width + x);
        // render draws the page whole; the window shows it inside the skin's shape only.
        if (have[i + 3] === 0) { ++outside; continue; }
        ++compared;
        if (have[i] !== want[i] || have[i + 1] !== want[i + 1] || have[i + 2] !== want[i + 2]) differs(x, y);
      }
    }
    return { size: true, differing, where, samples, compared, outside, opacity: canvas.style.opacity };
  }, expected, textAreas);
  let result = null;
  for (let tries = 0; tries < 100; ++tries) {
    result = await compare();
    if (result.size && result.differing === 0 && result.outside > 0 && Number(result.opacity) === 1) break;
    await new Promise(resolve => setTimeout(resolve, 100));
  }
  check(result.size && result.differing === 0 && result.outside > 0 && result.compared > 50000 && Number(result.opacity) === 1,
        `the day page equals render's picture outside text, inside the skin's shape (${JSON.stringify(result)})`);
  const times = await page.evaluate(() => Module.vorlundePage.times);
  console.log(`measured: page load to the intro's first frame ${Math.round(times.firstFrame - times.start)} ms, ` +
              `click to the day page drawn whole ${Date.now() - clicked} ms (two one-second fades)`);

  // A double click on a title (the fifth, "Garden Loop") plays it; the media session shows it.
  const [left, top] = textAreas[0];
  await page.mouse.click(box.x + left + 20, box.y + top + 70);
  await new Promise(resolve => setTimeout(resolve, 120));
  await page.mouse.click(box.x + left + 20, box.y + top + 70, { clickCount: 2 });
  check(await waitFor(page, () => navigator.mediaSession.playbackState === 'playing'), 'the media session says "playing"');
  const title = await page.evaluate(() => navigator.mediaSession.metadata && navigator.mediaSession.metadata.title);
  check(title === 'Garden Loop', `the media session shows the title (${title})`);
  check(await waitFor(page, () => Module.vorlundePage.audio && Module.vorlundePage.audio.state === 'running'), 'the sound runs');
  const peak = await recordPeak(2);
  check(peak > 1000, `the music sounds in PulseAudio (peak ${peak} of 32767)`);

  // Keys and the wheel act: Space pauses, the wheel scrolls the list.
  await page.keyboard.press('Space');
  check(await waitFor(page, () => navigator.mediaSession.playbackState === 'paused'), 'Space pauses');
  await page.keyboard.press('Space');
  check(await waitFor(page, () => navigator.mediaSession.playbackState === 'playing'), 'Space plays on');
  // What the page's thread works while the music plays on a still panel (reported only).
  await page.mouse.move(box.x - 5, box.y - 5);
  const busy = async () => (await page.metrics()).TaskDuration;
  const [busyBefore, startedAt] = [await busy(), Date.now()];
  await new Promise(resolve => setTimeout(resolve, 5000));
  console.log(`measured: the page's main thread busy ${(100 * (await busy() - busyBefore) / ((Date.now() - startedAt) / 1000)).toFixed(1)} % ` +
              'of a core while playing on a still panel');
  await page.mouse.move(box.x + left + 20, box.y + top + 40);
  await new Promise(resolve => setTimeout(resolve, 300));
  const listPixels = ([l, t]) => Module.vorlundePage.context.getImageData(l, t, 200, 200).data.join();
  const before = await page.evaluate(listPixels, [left, top]);
  await page.mouse.wheel({ deltaY: 300 });
  check(await waitFor(page, ([l, t, b]) => Module.vorlundePage.context.getImageData(l, t, 200, 200).data.join() !== b,
                      [left, top, before]), 'the wheel scrolls the list');
  check(errors.length === 0, `no console error (${errors.join(' | ')})`);
  await page.close();
  server.close();

  // A damaged archive: the error dialog with the desktop player's text.
  const damaged = await open(damagedSite);
  check(await waitFor(damaged.page, () => document.getElementById('vorlunde-error').open), 'the error dialog opens');
  const dialog = await damaged.page.evaluate(() => [document.querySelector('#vorlunde-error h2').textContent,
                                                   document.querySelector('#vorlunde-error p').textContent]);
  check(dialog[0] === 'tarnel leaf runtime exception' && dialog[1] === damagedError,
        `the dialog says what the desktop player says (${dialog.join(': ')})`);
  damaged.server.close();
} finally {
  await browser.close();
  rmSync(userData, { recursive: true, force: true });
}
if (failures.length > 0) {
  console.log(`${failures.length} failed`);
  process.exit(1);
}
