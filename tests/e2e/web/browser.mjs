// What the page's tests and its figures share: Chromium, a static server,
// orvanta-batch, and reading the page as a user sees it.
import { spawn, execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
export const scratch = () => mkdtempSync(join(tmpdir(), 'orvanta-web-'));

// Python's http.server over folder, on a free port: a server with no special headers.
export async function serve(folder) {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                       { stdio: ['ignore', 'pipe', 'ignore'] });
  const port = await new Promise((resolve, reject) => {
    server.stdout.on('data', (data) => resolve(/port (\d+)/.exec(data)?.[1]));
    server.on('exit', reject);
  });
  return { url: `http://127.0.0.1:${port}/`, close: () => server.kill() };
}

// Debian's Chromium; as root it needs --no-sandbox. Puppeteer's own flags
// keep it from networking in the background.
export const launch = () => puppeteer.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });

export const consoleErrors = [];

// The page at url in a browser context of its own (its own storage, unless
// context is given), once its first frame is drawn and a replay's note has
// given way to its games. trace: the page hands
// every cell change and status text of its solver to window.orvantaTrace.
export async function open(browser, url, { trace = false, context = null } = {}) {
  const page = await (context ?? await browser.createBrowserContext()).newPage();
  page.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
  page.on('pageerror', (error) => consoleErrors.push(error.message));
  if (trace) await page.evaluateOnNewDocument(() => { window.orvantaTrace = []; });
  await page.goto(url);
  await page.waitForFunction(() => !['-', 'Replay: games not saved'].includes(document.getElementById('part0').textContent));
  return page;
}

export const status = (page) => page.$$eval('#part0, #part1', (parts) => parts.map((part) => part.textContent));
export const gamesPlayed = async (page) => Number(/played: (\d+)/.exec((await status(page))[1])[1]);

// A menu item by the keyboard: Alt and the menu's letter, then the item's.
export async function command(page, menuLetter, itemLetter) {
  await page.keyboard.down('Alt');
  await page.keyboard.press(menuLetter);
  await page.keyboard.up('Alt');
  await page.keyboard.press(itemLetter);
}

// orvanta-batch --jobs 1 in a folder of its own with these options; returns its trace and statistics file.
export function batch(options) {
  const folder = scratch();
  execFileSync(process.env.ORVANTA_BATCH, ['--jobs', '1', '--trace', 'trace', ...options], { cwd: folder });
  return { trace: readFileSync(join(folder, 'trace'), 'latin1'), scores: readFileSync(join(folder, 'qxscores.txt')) };
}

// Waits until the solver has ended, after a Stop with Go Slow off: the
// status bar stays as it is for longer than Go Slow's longest pause.
export async function solverEnded(page) {
  for (let before = null, now = await status(page); String(now) !== String(before); now = await status(page)) {
    before = now;
    await sleep(1600);
  }
}
