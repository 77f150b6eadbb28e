// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by tests/web/web_player_test.mjs and scripts/bench-web: a local server for a site,
// Debian's Chromium driven by puppeteer-core (found through NODE_PATH), and the comparison of
// the player's canvas with `tarnel-skin render`'s picture of a page.
import { createServer } from 'node:http';
import { readFileSync, existsSync, statSync, mkdtempSync, rmSync } from 'node:fs';
import { extname, join, normalize } from 'node:path';
import { tmpdir } from 'node:os';
import { createRequire } from 'node:module';

const puppeteer = createRequire(join(process.env.NODE_PATH, 'x'))('puppeteer-core');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png', '.txt': 'text/plain' };

// Serves the files under `root` on a free port of 127.0.0.1; 404 for anything else.
export function serve(root) {
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

// Headless Chromium with a profile of its own and its sound left on (PULSE_SERVER says where
// it goes); close() also removes the profile.
export async function launchChromium() {
  const userData = mkdtempSync(join(tmpdir(), 'vorlunde-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: userData,
    ignoreDefaultArgs: ['--mute-audio'],
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
  return { browser, close: async () => { await browser.close(); rmSync(userData, { recursive: true, force: true }); } };
}

export const waitFor = (page, fn, arg, timeout = 20000) =>
  page.waitForFunction(fn, { timeout, polling: 50 }, arg).then(() => true, () => false);

// Runs `fn` in the page with the pixels (an ImageData) of the PNG whose bytes are `png` in
// base64, and the further arguments; its result.
export function evaluateWithPng(page, png, fn, ...args) {
  return page.evaluate(async (png, source, args) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + png;
    await image.decode();
    const scratch = new OffscreenCanvas(image.width, image.height).getContext('2d');
    scratch.drawImage(image, 0, 0);
    return (0, eval)('(' + source + ')')(scratch.getImageData(0, 0, image.width, image.height), ...args);
  }, png, fn.toString(), args);
}

// How the canvas differs from the PNG at `pngFile`, each PNG pixel `scale` by `scale` canvas
// pixels, outside `areas` ([left, top, right, bottom] rectangles of PNG pixels where text is
// drawn) and inside the skin's shape: { size, differing, where, samples, compared, outside,
// opacity }, in canvas pixels.
export function comparePage(page, pngFile, areas, scale = 1) {
  return evaluateWithPng(page, readFileSync(pngFile).toString('base64'), (image, areas, scale) => {
    const want = image.data;
    const canvas = Module.vorlundePage.canvas;
    const have = Module.vorlundePage.context.getImageData(0, 0, canvas.width, canvas.height).data;
    if (canvas.width !== image.width * scale || canvas.height !== image.height * scale) return { size: false };
    let differing = 0, compared = 0, outside = 0;
    const where = [1e9, 1e9, -1, -1];
    const samples = [];
    const differs = (x, y, i, j) => { if (samples.length < 4) samples.push([x, y, ...have.slice(i, i + 4), ...want.slice(j, j + 4)].join(' ')); ++differing; where[0] = Math.min(where[0], x); where[1] = Math.min(where[1], y); where[2] = Math.max(where[2], x); where[3] = Math.max(where[3], y); };
    for (let y = 0; y < canvas.height; ++y) {
      for (let x = 0; x < canvas.width; ++x) {
        const [px, py] = [Math.floor(x / scale), Math.floor(y / scale)];
        if (areas.some(([l, t, r, b]) => px >= l && px < r && py >= t && py < b)) continue;
        const i = 4 * (y * canvas.width + x);
        const j = 4 * (py * image.width + px);
        // render draws the page whole; the window shows it inside the skin's shape only.
        if (have[i + 3] === 0) { ++outside; continue; }
        ++compared;
        if (have[i] !== want[j] || have[i + 1] !== want[j + 1] || have[i + 2] !== want[j + 2]) differs(x, y, i, j);
      }
    }
    return { size: true, differing, where, samples, compared, outside, opacity: canvas.style.opacity };
  }, areas, scale);
}

// Whether a comparePage result shows the page drawn whole and fully faded in.
export const pageShown = result => result.size && result.differing === 0 && result.outside > 0 && Number(result.opacity) === 1;

// Polls comparePage every 100 ms until `shown` holds for its result, at most 100 times; the
// last result.
export async function waitForPage(page, pngFile, areas, scale = 1, shown = pageShown) {
  let result = null;
  for (let i = 0; i < 100; ++i) {
    result = await comparePage(page, pngFile, areas, scale);
    if (shown(result)) break;
    await new Promise(resolve => setTimeout(resolve, 100));
  }
  return result;
}

export const readAreas = file => readFileSync(file, 'utf8').trim().split('\n').map(line => line.split(/\s+/).map(Number));
