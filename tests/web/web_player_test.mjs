// SPDX-License-Identifier: GPL-3.0-or-later
// The web player in headless Chromium, on a site made by `tarnel-skin package --web`:
//   node web_player_test.mjs SITE DAY_PNG TEXT_AREAS DAMAGED_SITE DAMAGED_ERROR SHARP_SITE SHARP_PNG
// SITE holds the demo skin; DAY_PNG is `tarnel-skin render`'s picture of its day page;
// TEXT_AREAS names the rectangles where text is drawn ("left top right bottom" a line);
// DAMAGED_SITE holds a skin whose tarnel.dat is damaged, DAMAGED_ERROR the desktop player's
// message for it; SHARP_SITE a skin with art at twice the size, SHARP_PNG `render --scale 2`'s
// picture of it. Prints what failed and exits 1; exits 0 when everything held.
import { readFileSync } from 'node:fs';
import { spawn } from 'node:child_process';
import { serve, launchChromium, waitFor, waitForPage, pageShown, readAreas, evaluateWithPng } from './web_site.mjs';

const [site, dayPng, textAreasFile, damagedSite, damagedErrorFile, sharpSite, sharpPng] = process.argv.slice(2);
const textAreas = readAreas(textAreasFile);
const damagedError = readFileSync(damagedErrorFile, 'utf8').trim();
const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); console.log((ok ? 'ok   ' : 'FAIL ') + what); };

const chromium = await launchChromium();
const browser = chromium.browser;

// Opens a site on a screen of `density` device pixels per CSS pixel; collects console errors
// and uncaught exceptions.
async function open(root, density = 1) {
  const server = await serve(root);
  const page = await browser.newPage();
  await page.setViewport({ ...page.viewport(), deviceScaleFactor: density });
  const errors = [];
  const requests = [];
  page.on('request', request => requests.push(new URL(request.url()).pathname));
  page.on('console', message => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', error => errors.push(String(error)));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  return { page, errors, requests, server };
}

// A screenshot of the canvas as shown, compared with its pixels where they are opaque.
async function compareShown(page) {
  const shot = await page.screenshot({ clip: await (await page.$('canvas')).boundingBox(), encoding: 'base64' });
  return evaluateWithPng(page, shot, image => {
    const shown = image.data;
    const canvas = Module.vorlundePage.canvas;
    const drawn = Module.vorlundePage.context.getImageData(0, 0, canvas.width, canvas.height).data;
    let compared = 0, differing = 0;
    for (let y = 0; y < image.height; ++y) {
      for (let x = 0; x < image.width; ++x) {
        const from = 4 * (Math.floor(y * canvas.height / image.height) * canvas.width + Math.floor(x * canvas.width / image.width));
        if (drawn[from + 3] !== 255) continue;
        const at = 4 * (y * image.width + x);
        ++compared;
        if (shown[at] !== drawn[from] || shown[at + 1] !== drawn[from + 1] || shown[at + 2] !== drawn[from + 2]) ++differing;
      }
    }
    return { shown: [image.width, image.height], skin: Module.vorlundePage.skinSize, canvas: [canvas.width, canvas.height],
             compared, differing };
  });
}
const doubledCrisp = shown => shown.shown[0] === 2 * shown.skin[0] && shown.shown[1] === 2 * shown.skin[1] &&
                              shown.compared > 200000 && shown.differing === 0;

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

try {
  const { page, errors, requests, server } = await open(site);
  check(await waitFor(page, () => Module.vorlundePage.times.firstFrame !== null && Module.vorlundePage.canvas.style.visibility === 'visible'),
        'the intro appears');
  check(await waitFor(page, () => Number(Module.vorlundePage.canvas.style.opacity) > 0.9), 'the intro fades in');

  // A click starts: the intro gives way to the day page, which the player draws as render does.
  const box = await (await page.$('canvas')).boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  const clicked = Date.now();
  await page.mouse.move(box.x + 1, box.y + 1);
  const result = await waitForPage(page, dayPng, textAreas);
  check(pageShown(result) && result.compared > 50000,
        `the day page equals render's picture outside text, inside the skin's shape (${JSON.stringify(result)})`);
  const times = await page.evaluate(() => Module.vorlundePage.times);
  console.log(`measured: page load to the intro's first frame ${Math.round(times.firstFrame - times.start)} ms, ` +
              `click to the day page drawn whole ${Date.now() - clicked} ms (two one-second fades)`);

  // A double click on a title (the fifth, "Garden Loop") plays it; the media session shows it.
  // Its file is fetched then, once, and the next one's ahead of its turn.
  const [left, top] = textAreas[0];
  const fetched = name => requests.filter(path => path === '/skin/music/' + name).length;
  const fetchedBefore = fetched('05-garden-loop.xm');
  const playTitle = async () => {
    await page.mouse.click(box.x + left + 20, box.y + top + 70);
    await new Promise(resolve => setTimeout(resolve, 120));
    await page.mouse.click(box.x + left + 20, box.y + top + 70, { clickCount: 2 });
  };
  await playTitle();
  check(await waitFor(page, () => navigator.mediaSession.playbackState === 'playing'), 'the media session says "playing"');
  check(await waitFor(page, () => Module.vorlundePage.trackFiles.get('music/06-lemonade.ogg') === 'kept'),
        'the next track\'s file (Lemonade) is fetched ahead');
  const title = await page.evaluate(() => navigator.mediaSession.metadata && navigator.mediaSession.metadata.title);
  check(title === 'Garden Loop', `the media session shows the title (${title})`);
  check(await waitFor(page, () => Module.vorlundePage.audio && Module.vorlundePage.audio.state === 'running'), 'the sound runs');
  const peak = await recordPeak(2);
  check(peak > 1000, `the music sounds in PulseAudio (peak ${peak} of 32767)`);
  await playTitle();
  await new Promise(resolve => setTimeout(resolve, 300));
  const garden = [fetchedBefore, fetched('05-garden-loop.xm'), await page.evaluate(() => navigator.mediaSession.playbackState)];
  check(garden.join() === '0,1,playing', `the title's file is fetched after the click, once for two plays (${garden})`);

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
  // On a high-density screen the canvas shows each of its pixels as a crisp 2×2 block (checked
  // where it is opaque, on the paused, still panel).
  await page.keyboard.press('Space');
  await waitFor(page, () => navigator.mediaSession.playbackState === 'paused');
  await page.mouse.move(0, 0);
  await page.setViewport({ ...page.viewport(), deviceScaleFactor: 2 });
  await new Promise(resolve => setTimeout(resolve, 300));
  const dense = await compareShown(page);
  check(doubledCrisp(dense), `at twice the pixel density the canvas is doubled, crisp (${JSON.stringify(dense)})`);
  check(errors.length === 0, `no console error (${errors.join(' | ')})`);
  await page.close();
  server.close();

  // Opened on a dense screen, the canvas holds two by two pixels per skin pixel: the demo,
  // without art at twice the size, shows its day page doubled and crisp, and a double click
  // (in skin pixels) plays the title under the pointer.
  const denseDemo = await open(site, 2);
  check(await waitFor(denseDemo.page, () => Module.vorlundePage.times.firstFrame !== null), 'on a dense screen the intro appears');
  const denseBox = await (await denseDemo.page.$('canvas')).boundingBox();
  await denseDemo.page.mouse.click(denseBox.x + denseBox.width / 2, denseBox.y + denseBox.height / 2);
  await denseDemo.page.mouse.move(denseBox.x + 1, denseBox.y + 1);
  const denseDay = await waitForPage(denseDemo.page, dayPng, textAreas, 2);
  check(pageShown(denseDay), `on a dense screen the day page is render's picture doubled (${JSON.stringify(denseDay)})`);
  await denseDemo.page.mouse.click(denseBox.x + left + 20, denseBox.y + top + 70, { clickCount: 2 });
  check(await waitFor(denseDemo.page, () => navigator.mediaSession.metadata && navigator.mediaSession.metadata.title === 'Garden Loop'),
        'on a dense screen a double click plays the title under the pointer');
  await denseDemo.page.keyboard.press('Space');
  await denseDemo.page.mouse.move(0, 0);
  await new Promise(resolve => setTimeout(resolve, 300));
  const denseShown = await compareShown(denseDemo.page);
  check(doubledCrisp(denseShown) && denseShown.canvas.join() === denseShown.shown.join(),
        `on a dense screen the canvas is twice the skin's size and shown pixel for pixel (${JSON.stringify(denseShown)})`);
  check(denseDemo.errors.length === 0, `no console error on a dense screen (${denseDemo.errors.join(' | ')})`);
  await denseDemo.page.close();
  denseDemo.server.close();

  // Art at twice the size, one-pixel detail, shows pixel for pixel on a dense screen.
  const sharp = await open(sharpSite, 2);
  await waitFor(sharp.page, () => Module.vorlundePage.times.firstFrame !== null);
  // Its shape is the whole window: every canvas pixel shows.
  const sharpShown = result => result.size && result.differing === 0 && result.compared === 600 * 400;
  const sharpResult = await waitForPage(sharp.page, sharpPng, [], 1, sharpShown);
  check(sharpShown(sharpResult),
        `art at twice the size shows pixel for pixel on a dense screen (${JSON.stringify(sharpResult)})`);
  await sharp.page.close();
  sharp.server.close();

  // A damaged archive: the error dialog with the desktop player's text.
  const damaged = await open(damagedSite);
  check(await waitFor(damaged.page, () => document.getElementById('vorlunde-error').open), 'the error dialog opens');
  const dialog = await damaged.page.evaluate(() => [document.querySelector('#vorlunde-error h2').textContent,
                                                   document.querySelector('#vorlunde-error p').textContent]);
  check(dialog[0] === 'tarnel leaf runtime exception' && dialog[1] === damagedError,
        `the dialog says what the desktop player says (${dialog.join(': ')})`);
  damaged.server.close();
} finally {
  await chromium.close();
}
if (failures.length > 0) {
  console.log(`${failures.length} failed`);
  process.exit(1);
}
