// Orvanta's page measured in headless Chromium (figures, not tests): games
// a second at full speed next to orvanta-batch --jobs 1, frame times, the
// page's weight, Stop's delay, memory after 10 s and 60 s of play; with Show
// Chances on, games a second and frame times, and the Safest Guess's win rate
// over 10,000 games next to orvanta-batch --guess safest; and the README's
// pictures of the page mid-game (docs/orvanta-web.png), on a phone, a tablet
// and a laptop screen (docs/orvanta-web-WxH-xS.png), and with Show Chances at
// scale 1 and 2 (docs/orvanta-web-chances-1.png and -2.png).
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { command, gamesPlayed, launch, open, serve, sleep, status } from '../tests/e2e/web/browser.mjs';

const WEB = process.env.ORVANTA_WEB_DIR;
const [browser, server] = await Promise.all([launch(), serve(WEB)]);
const clickCell = async (page, x, y) => {
  const box = await (await page.$('#field')).boundingBox();
  await page.mouse.click(box.x + x * 16 + 8, box.y + y * 16 + 8);
};

const shown = await open(browser, server.url + 'orvanta.html');
await clickCell(shown, 14, 7);
await sleep(8000);
await (await shown.$('.window')).screenshot({ path: new URL('../docs/orvanta-web.png', import.meta.url).pathname });
for (const [width, height, deviceScaleFactor, touch] of [[390, 844, 3, true], [768, 1024, 1], [768, 1024, 2], [1280, 800, 1], [1280, 800, 2]]) {
  const screen = await open(browser, server.url + 'orvanta.html');
  await screen.setViewport({ width, height, deviceScaleFactor, hasTouch: !!touch, isMobile: !!touch });
  const box = await (await screen.$('#field')).boundingBox();
  const [x, y] = [box.x + box.width * 14.5 / 30, box.y + box.height * 7.5 / 16];
  await (touch ? screen.touchscreen.tap(x, y) : screen.mouse.click(x, y));
  await sleep(6000);
  await screen.screenshot({ path: new URL(`../docs/orvanta-web-${width}x${height}-x${deviceScaleFactor}.png`, import.meta.url).pathname });
  await screen.close();
}

const page = await open(browser, server.url + 'orvanta.html');
const session = await page.createCDPSession();
const memory = async () => {
  await session.send('HeapProfiler.collectGarbage');
  const { metrics } = await session.send('Performance.getMetrics');
  return `JS heap ${(metrics.find((metric) => metric.name === 'JSHeapUsedSize').value / 1e6).toFixed(2)} MB, ` +
         `WebAssembly ${(await page.evaluate(() => wasmMemory.buffer.byteLength)) / 1e6} MB`;
};
// Every frame's time from now on, in window.frameTimes.
const watchFrames = (watched) => watched.evaluate(() => {
  window.frameTimes = [];
  let last = performance.now();
  requestAnimationFrame(function frame(now) { frameTimes.push(now - last); last = now; requestAnimationFrame(frame); });
});
await session.send('Performance.enable');
await command(page, 'e', 'g');
await clickCell(page, 0, 0);
await sleep(2000);
const before = await gamesPlayed(page);
await watchFrames(page);
await sleep(8000);
const at10 = await memory();
await sleep(2000);
const gamesPerSecond = (await gamesPlayed(page) - before) / 10;
const frames = await page.evaluate(() => frameTimes.slice(1).sort((a, b) => a - b));
await sleep(48000);
const at60 = await memory();

// Stop: from the click to the last frame that changed the picture.
await page.evaluate(() => {
  const frame = Module._web_frame;
  Module._web_frame = () => frame() && (window.lastChange = performance.now());
  document.querySelector('[data-command="104"]').addEventListener('click', () => { window.stopClick = performance.now(); });
});
await page.click('.menu:nth-child(1) .title');
await page.click('[data-command="104"]');
await sleep(2000);
const stopDelay = await page.evaluate(() => lastChange - stopClick);

await page.close();

// Games a second and frame times over 10 s at full speed from the address's options.
async function fullSpeed(query) {
  const played = await open(browser, server.url + 'orvanta.html' + query);
  await command(played, 'e', 'g');
  await clickCell(played, 0, 0);
  await sleep(2000);
  const first = await gamesPlayed(played);
  await watchFrames(played);
  await sleep(10000);
  const speed = (await gamesPlayed(played) - first) / 10;
  const times = await played.evaluate(() => frameTimes.slice(1).sort((a, b) => a - b));
  await played.close();
  return `${speed.toFixed(0)} games/s, frame time median ${times[times.length >> 1].toFixed(1)} ms, worst ${times.at(-1).toFixed(1)} ms (${times.length} frames)`;
}
const [plainSpeed, chancesSpeed] = [await fullSpeed(''), await fullSpeed('?chances=1')];

// The Safest Guess over 10,000 games and more at full speed, next to orvanta-batch's 95% interval.
const safest = await open(browser, server.url + 'orvanta.html?rule=safest');
await command(safest, 'e', 'g');
await clickCell(safest, 0, 0);
await safest.waitForFunction(() => Number(/played: (\d+)/.exec(document.getElementById('part1').textContent)[1]) >= 10000,
                             { timeout: 0, polling: 1000 });
const [safestGames, safestWins] = /played: (\d+), won: (\d+)/.exec((await status(safest))[1]).slice(1).map(Number);
await safest.close();
const safestBatch = execFileSync(process.env.ORVANTA_BATCH, ['--jobs', '1', '--games', '20000', '--guess', 'safest', '--scores', '/dev/null']).toString();
const wonLine = safestBatch.split('\n').find((line) => /won/i.test(line)) ?? '';

// Show Chances mid-game, held for Go Slow's pause after a guess, at one and two device pixels a field pixel.
for (const scale of [1, 2]) {
  const held = await open(browser, server.url + 'orvanta.html?rule=safest&chances=1');
  await held.setViewport({ width: 640, height: 480, deviceScaleFactor: scale });
  await held.waitForFunction((wanted) => document.getElementById('field').width === 481 * wanted, {}, scale);
  await clickCell(held, 14, 7);
  await sleep(8000);
  await held.waitForFunction(() => /^Safest \(/.test(document.getElementById('part0').textContent), { timeout: 60000, polling: 'raf' });
  const [window, reason] = await Promise.all(['.window', '#reason'].map(async (selector) => (await held.$(selector)).boundingBox()));
  await held.screenshot({ path: new URL(`../docs/orvanta-web-chances-${scale}.png`, import.meta.url).pathname,
                          clip: { x: window.x, y: window.y, width: window.width, height: reason.y + reason.height - window.y } });
  await held.close();
}

const summary = execFileSync(process.env.ORVANTA_BATCH, ['--jobs', '1', '--games', '20000', '--scores', '/dev/null']).toString();
const weight = ['orvanta.html', 'orvanta.css', 'page.js', 'orvanta.js']
  .reduce((sum, file) => sum + gzipSync(readFileSync(`${WEB}/${file}`), { level: 9 }).length, 0);
console.log(`games a second at full speed: ${gamesPerSecond.toFixed(0)}; orvanta-batch --jobs 1: ${/\(([\d,]+) games\/s\)/.exec(summary)[1]}
frame time over 10 s of play: median ${frames[frames.length >> 1].toFixed(1)} ms, worst ${frames.at(-1).toFixed(1)} ms (${frames.length} frames)
page weight, gzip -9: ${(weight / 1024).toFixed(1)} KB (HTML, CSS, page.js, orvanta.js with its WebAssembly)
Stop at full speed, click to the last changed frame: ${stopDelay.toFixed(0)} ms
memory after 10 s: ${at10}; after 60 s: ${at60}
full speed, Show Chances off: ${plainSpeed}
full speed, Show Chances on: ${chancesSpeed}
Safest Guess on the page: ${safestWins} won of ${safestGames} (${(100 * safestWins / safestGames).toFixed(2)}%); orvanta-batch --guess safest, 20,000 games: ${wonLine.trim()}`);
await browser.close();
server.close();
