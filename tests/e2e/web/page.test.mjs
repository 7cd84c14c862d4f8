// Orvanta's page in headless Chromium, as a user meets it: the start, every
// screen and a finger, the menu by mouse and keyboard, the page by keyboard
// alone with axe-core and the whole accessibility tree, full-speed play and
// Stop, a lost game's picture, replays against orvanta-batch, Exit's
// download, two pages' statistics added up, bad addresses, the solver
// suspended 300 calls deep (release and debug builds), and a console
// without errors.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { batch, command, consoleErrors, gamesPlayed, launch, open, scratch, serve, sleep, solverEnded, status }
  from './browser.mjs';

const WEB = process.env.ORVANTA_WEB_DIR;
let browser, server;
before(async () => { [browser, server] = await Promise.all([launch(), serve(WEB)]); });
after(async () => { await browser.close(); server.close(); });

// The tiles as the game shows them, from the resource tests' own pictures.
const pictures = readFileSync(new URL('../../resources/expected_pictures.txt', import.meta.url), 'latin1').split('\n');
const palette = pictures.slice(pictures.indexOf('palette') + 1, pictures.indexOf('palette') + 17);
const tiles = pictures.flatMap((line, at) => line.startsWith('tile ') ? [pictures.slice(at + 1, at + 17)] : [])
  .map((rows) => rows.map((row) => Array.from(row, (digit) => palette[parseInt(digit, 16)]).join('')).join(''));

// The field as rows of tiles (0-8 opened, F flag, # raised, * mine, X exploded, ? none), and
// whether the margin is white; scale: canvas pixels a field pixel.
const field = (page, scale = 1) => page.evaluate((tiles, scale) => {
  const canvas = document.getElementById('field');
  const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  const hex = (x, y) => Array.from(pixels.subarray((y * scale * canvas.width + x * scale) * 4, (y * scale * canvas.width + x * scale) * 4 + 3),
                                   (value) => value.toString(16).padStart(2, '0').toUpperCase()).join('');
  const tile = (x, y) => {
    let key = '';
    for (let row = 1; row <= 16; row++) for (let column = 1; column <= 16; column++) key += hex(x * 16 + column, y * 16 + row);
    return '012345678F#*X'[tiles.indexOf(key)] ?? '?';
  };
  const margin = Array.from({ length: 481 }, (_, x) => hex(x, 0)).concat(Array.from({ length: 257 }, (_, y) => hex(0, y)));
  return { rows: Array.from({ length: 16 }, (_, y) => Array.from({ length: 30 }, (_, x) => tile(x, y)).join('')),
           white: margin.every((colour) => colour === 'FFFFFF') };
}, tiles, scale);

// In the menu's order: Nonstop, Go Slow, Allow Guessing, the rules' dots, Show Chances.
const checkMarks = (page) => page.$$eval('[role=menuitemcheckbox], [role=menuitemradio]',
                                         (items) => items.map((item) => item.getAttribute('aria-checked')));

// The cell changes and status texts of the first three games: the page's, and orvanta-batch's for the same options.
async function pageGames(page) {
  await page.waitForFunction(() => orvantaTrace.filter((line) => line === '#\tStarting to solve').length > 3);
  const trace = await page.evaluate(() => orvantaTrace);
  return trace.slice(0, trace.flatMap((line, at) => line === '#\tStarting to solve' ? [at] : [])[3]);
}
const batchGames = (options) => batch([...options, '--games', '3']).trace.split('\n').filter(Boolean)
  .map((line) => line.slice(line.indexOf('\t') + 1));

test('the start: the title, every cell raised on white, the status parts and check marks, crisp at three device pixels a pixel', async () => {
  const page = await open(browser, server.url + 'orvanta.html');
  assert.equal(await page.title(), 'Orvanta');
  assert.deepEqual(await field(page), { rows: Array(16).fill('#'.repeat(30)), white: true });
  assert.deepEqual(await status(page), ['', 'Games played: 0, won: 0, guesses: 0']);
  assert.equal(await page.$eval('#part0', (part) => part.getBoundingClientRect().right - part.parentNode.getBoundingClientRect().left), 176);
  assert.deepEqual(await checkMarks(page), ['true', 'true', 'true', 'true', 'false', 'false', 'false']);
  assert.equal(await page.$eval('link[rel=icon]', (icon) => fetch(icon.href).then((answer) => answer.headers.get('content-type'))),
               'image/png');
  await page.setViewport({ width: 900, height: 600, deviceScaleFactor: 2 });
  await page.waitForFunction(() => document.getElementById('field').width === 3 * 481);
  assert.deepEqual(await field(page, 3), { rows: Array(16).fill('#'.repeat(30)), white: true });
});

test('every screen: the field as large as whole device pixels let it fit, nothing scrolls, a finger\'s targets, a tap plays', async () => {
  for (const [width, height, deviceScaleFactor, touch, scale] of [[390, 844, 3, true, 2], [844, 390, 3, true, 2], [768, 1024, 1, false, 1],
                                                                  [768, 1024, 2, false, 3], [1280, 800, 1, false, 2], [1280, 800, 2, false, 5]]) {
    const page = await open(browser, server.url + 'orvanta.html');
    await page.setViewport({ width, height, deviceScaleFactor, hasTouch: touch, isMobile: touch });
    await page.waitForFunction((scale) => document.getElementById('field').width === 481 * scale, {}, scale);
    const tap = async (selector, x = 0.5, y = 0.5) => {
      const box = await (await page.$(selector)).boundingBox();
      await page.touchscreen.tap(box.x + box.width * x, box.y + box.height * y);
    };
    if (touch) await tap('.menu:nth-child(2) .title');
    const sizes = await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight,
      ...Array.from(document.querySelectorAll('.title, .open .items button'), (target) => Math.min(target.offsetWidth, target.offsetHeight))]);
    assert.ok(sizes[0] <= width && sizes[1] <= height && sizes.slice(2).every((side) => !touch || side >= 24), `${width}x${height}: ${sizes}`);
    if (touch) {
      await tap('#field', 0.1, 0.1);
      await tap('#field', 0.1, 0.1);
      await page.waitForFunction(() => document.getElementById('part0').textContent !== '');
    }
    await page.close();
  }
});

test('a click starts the solver; the menu by mouse and Alt; Stop at full speed; then the canvas equals a full repaint; About', async () => {
  const page = await open(browser, server.url + 'orvanta.html');
  await page.click('.menu:nth-child(2) .title');
  await page.click('[data-command="108"]');
  // Without guessing no game ends in the repaint after a bad guess: every cell shown was drawn as it changed.
  await command(page, 'e', 'a');
  assert.deepEqual(await checkMarks(page), ['true', 'false', 'false', 'true', 'false', 'false', 'false']);
  // The rules and Show Chances reach the program and their marks follow.
  await command(page, 'e', 'f');
  await command(page, 'e', 'c');
  assert.deepEqual(await checkMarks(page), ['true', 'false', 'false', 'false', 'true', 'false', 'true']);
  await command(page, 'e', 'r');
  await command(page, 'e', 'c');
  await page.waitForFunction(() => document.getElementById('part1').textContent === 'Games played: 0, won: 0, nostart: 0');
  const box = await (await page.$('#field')).boundingBox();
  await page.mouse.click(box.x + 5 * 16 + 8, box.y + 3 * 16 + 8);
  await page.waitForFunction(() => /played: (\d\d)/.test(document.getElementById('part1').textContent));
  await page.click('.menu:nth-child(1) .title');
  await page.click('[data-command="104"]');
  await solverEnded(page);
  const played = await field(page);
  assert.match(played.rows[3][5], /[0-8]/);
  assert.doesNotMatch(played.rows.join(''), /\?/);
  await command(page, 'e', 'n');
  await command(page, 'e', 'n');
  await sleep(100);
  assert.deepEqual(await field(page), played);
  await command(page, 'h', 'a');
  assert.deepEqual(await page.$eval('#box', (box) => [box.open, box.querySelector('h2').textContent, box.querySelector('p').textContent.split('\n', 4)]),
                   [true, 'About', ['Orvanta', 'Version 1.03', '', 'Click on any square, or select "Solve" from the File']]);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('box').open);
});

// axe-core's violations at levels A and AA, as "rule: elements".
const AXE = readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
const violations = (page) => page.evaluate(async (source) => {
  if (!window.axe) (0, eval)(source);
  const { violations } = await axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] });
  return violations.map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target).join(' ')}`);
}, AXE);
// The accessibility tree as a screen reader gets it, without the browser's own node numbers and the server's port.
const tree = async (page) => JSON.parse(JSON.stringify(await page.accessibility.snapshot(),
  (key, value) => ['backendNodeId', 'loaderId', 'url'].includes(key) ? undefined : value));
// The contrast of the focused element's background with its parent's, as WCAG reckons it.
const focusContrast = (page) => page.evaluate(() => {
  const luminance = (element) => getComputedStyle(element).backgroundColor.match(/\d+/g).slice(0, 3)
    .map((value) => value / 255).map((value) => value <= 0.04045 ? value / 12.92 : ((value + 0.055) / 1.055) ** 2.4)
    .reduce((sum, value, i) => sum + [0.2126, 0.7152, 0.0722][i] * value, 0);
  const [light, dark] = [document.activeElement, document.activeElement.parentElement].map(luminance).sort((a, b) => b - a);
  return (light + 0.05) / (dark + 0.05);
});
const EXPECTED_TREE = JSON.parse(readFileSync(new URL('expected_tree.json', import.meta.url), 'utf8'));

test('by the keyboard alone: Go Slow off, a cell chosen by the arrows, About; axe finds nothing; the tree; the status spoken at a pace', async () => {
  const page = await open(browser, server.url + 'orvanta.html');
  const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };
  const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.textContent);
  assert.deepEqual(await violations(page), []);
  await keys('F10', 'ArrowRight', 'Enter', 'ArrowDown', 'Space', 'Alt', 'ArrowDown', 'ArrowDown');
  assert.deepEqual(await tree(page), EXPECTED_TREE);
  assert.ok(await focusContrast(page) >= 3);
  assert.deepEqual(await violations(page), []);
  await keys('Escape');
  assert.equal(await focused(), 'Edit');
  await page.evaluate(() => {
    window.heard = [];
    new MutationObserver(() => heard.push([performance.now(), document.getElementById('spoken').textContent]))
      .observe(document.getElementById('spoken'), { childList: true, characterData: true, subtree: true });
  });
  await keys('Tab', 'ArrowRight', 'ArrowRight', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Enter');
  assert.deepEqual([await focused(), await page.$eval('#cursor', (mark) => [getComputedStyle(mark).display, mark.offsetLeft, mark.offsetTop])],
                   ['field', ['block', 2 * 16 + 1, 16 + 1]]);
  await page.waitForFunction(() => /played: \d\d/.test(document.getElementById('part1').textContent));
  await sleep(4500);
  const spoken = await page.evaluate(() => window.heard);
  assert.ok(spoken.length >= 2 && spoken.every(([at, text], i) => i === 0 || at - spoken[i - 1][0] > 1950), JSON.stringify(spoken));
  assert.ok(spoken.every(([, text]) => text && !text.startsWith('Games played')), JSON.stringify(spoken));
  await keys('F10', 'ArrowLeft', 'Enter', 'ArrowDown', 'Enter');
  await solverEnded(page);
  assert.match((await field(page)).rows[1][2], /[0-8]/);
  await keys('F10', 'ArrowRight', 'ArrowRight', 'Enter', 'Enter');
  assert.equal((await tree(page)).children[0].name, 'About');
  assert.deepEqual(await violations(page), []);
  await keys('Escape');
  assert.equal(await focused(), 'field');
});

test('a lost game shows its exploded mine and every mine, as the counts say', async () => {
  // A first game that flags before it is lost: Go Slow's pauses leave time to stop after it.
  let seed = 1;
  while (!/\t-3\n[^]*\t#\tBad guess!/.test(batch(['--seed', String(seed), '--games', '1']).trace)) seed++;
  const page = await open(browser, `${server.url}orvanta.html?seed=${seed}`);
  await command(page, 'f', 't');
  await command(page, 'e', 'g');
  await solverEnded(page);
  const { rows } = await field(page);
  execFileSync(fileURLToPath(new URL('../../support/lost_field.sh', import.meta.url)), { input: rows.join('\n') });
});

test('replays play the games orvanta-batch plays, from a server and from the file itself, Show Chances only adding its reasons', async () => {
  for (const [address, options] of [[`${server.url}orvanta.html?seed=1700000000&first=3,4`, ['--first', '3,4']],
                                    [`file://${WEB}/orvanta.html?seed=42&first=10,7&guess=0`, ['--first', '10,7', '--no-guess']],
                                    [`${server.url}orvanta.html?seed=9&rule=safest&chances=1`, ['--guess', 'safest']],
                                    [`${server.url}orvanta.html?seed=9&rule=random&chances=1`, []]]) {
    const page = await open(browser, address, { trace: true });
    await command(page, 'e', 'g');
    const safest = options.includes('safest');
    assert.deepEqual(await checkMarks(page), ['true', 'false', String(!options.includes('--no-guess')), String(!safest), String(safest),
                                              'false', String(address.includes('chances=1'))]);
    const reason = /^#\t(Random|Safest) \(\d+,\d+\): \d+(\.\d)?%(, min \d+(\.\d)?%)?$/;
    const games = await pageGames(page);
    assert.equal(games.some((line) => reason.test(line)), address.includes('chances=1'));
    assert.deepEqual(games.filter((line) => !reason.test(line)), batchGames(['--seed', /seed=(\d+)/.exec(address)[1], ...options]));
    await page.close();
  }
});

test('Show Chances: at a guess, the layer over the field holds a tint on each hidden tile and an outline on the chosen one, nothing else', async () => {
  const page = await open(browser, `${server.url}orvanta.html?seed=3&rule=safest&chances=1`);
  // The first chances drawn, the layer read at once.
  await page.evaluate(() => {
    const show = orvantaChances.show.bind(orvantaChances);
    orvantaChances.show = (chances, columns, chosen, reason) => {
      show(chances, columns, chosen, reason);
      if (chances.length === 0 || window.shot) return;
      const layer = document.getElementById('chances');
      window.shot = { chances: Array.from(chances), chosen, reason, width: layer.width,
                      pixels: Array.from(layer.getContext('2d').getImageData(0, 0, layer.width, layer.height).data) };
    };
  });
  await page.waitForFunction(() => window.shot, { timeout: 20000 });
  const { chances, chosen, reason, width, pixels } = await page.evaluate(() => window.shot);
  assert.match(reason, /^Safest guess at \(\d+, \d+\): [\d.]+% chance of a mine, the lowest of \d+ hidden cells$/);
  assert.equal(width, 481);
  let wrong = 0;
  for (let y = 0; y < 257; y++) for (let x = 0; x < 481; x++) {
    const cell = x > 0 && y > 0 ? Math.floor((x - 1) / 16) + 30 * Math.floor((y - 1) / 16) : -1;
    const chance = cell >= 0 ? chances[cell] : -1;
    const [tx, ty] = [(x - 1) % 16, (y - 1) % 16];
    let expected = [0, 0, 0, 0];
    if (cell === chosen && (tx < 2 || ty < 2 || tx > 13 || ty > 13)) expected = [0, 0, 0, 255];
    else if (chance >= 0) expected = [[0x00, 0xE6], [0x72, 0x9F], [0xB2, 0x00]].map(([safe, mine]) => Math.round(safe + (mine - safe) * chance)).concat(128);
    const seen = pixels.slice((y * 481 + x) * 4, (y * 481 + x) * 4 + 4);
    wrong += seen.some((value, at) => Math.abs(value - expected[at]) > 1);
  }
  assert.equal(wrong, 0);
  assert.ok(chances.some((chance) => chance > 0 && chance < 1) && chances[chosen] === Math.min(...chances.filter((chance) => chance >= 0)));
  await page.close();
});

// The statistics file that action offers, once downloaded.
async function downloaded(page, action) {
  const folder = scratch();
  const session = await page.browser().target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder, browserContextId: page.browserContext().id });
  await action();
  while (!existsSync(join(folder, 'qxscores.txt'))) await sleep(100);
  return readFileSync(join(folder, 'qxscores.txt'));
}
const counts = (file) => file.toString().split('\r\n').slice(0, -1).map((line) => Number(line.split('\t')[1]));

test('Exit, and the link after it, offer the file orvanta-batch writes for the replayed games, which are not saved', async () => {
  const page = await open(browser, `${server.url}orvanta.html?seed=7`);
  await command(page, 'e', 'g');
  await page.waitForFunction(() => /played: \d\d/.test(document.getElementById('part1').textContent));
  const saved = await downloaded(page, async () => {
    await page.click('.menu:nth-child(1) .title');
    await page.click('[data-command="101"]');
  });
  assert.deepEqual(await status(page), ['qxscores.txt downloaded', 'Reload the page to play on']);
  const games = counts(saved).reduce((sum, count) => sum + count);
  assert.deepEqual(saved, batch(['--seed', '7', '--games', String(games)]).scores);
  assert.deepEqual(await downloaded(page, () => page.click('#statistics')), saved);
  await page.goto(server.url + 'orvanta.html');
  await page.waitForFunction(() => document.getElementById('part1').textContent !== '-');
  assert.equal(await gamesPlayed(page), 0);
});

// A page behind another draws no frames and takes no clicks: it is brought to the front first.
async function inFront(page, act) {
  await page.bringToFront();
  await page.waitForFunction(() => document.getElementById('part1').textContent !== '-');
  return act(page);
}

test('two pages playing at once both count: the next page shows the sum, the link offers it, and it is counted once after', async () => {
  const context = await browser.createBrowserContext();
  const pages = [await open(browser, server.url + 'orvanta.html', { context }), await open(browser, server.url + 'orvanta.html', { context })];
  for (const page of pages) await inFront(page, async () => { await command(page, 'e', 'g'); await page.click('#field'); });
  await sleep(2000);
  const played = [];
  const files = [];
  for (const page of pages) {
    await command(page, 'f', 't');
    played.push(await inFront(page, async () => { await solverEnded(page); return gamesPlayed(page); }));
    files.push(await downloaded(page, () => page.click('#statistics')));
  }
  await Promise.all(pages.map((page) => page.close()));
  const next = await open(browser, server.url + 'orvanta.html', { context });
  assert.ok(played.every((games) => games > 0));
  assert.equal(await gamesPlayed(next), played[0] + played[1]);
  assert.deepEqual(counts(await downloaded(next, () => next.click('#statistics'))),
                   counts(files[0]).map((count, s) => count + counts(files[1])[s]));
  // The next page has folded the closed pages' rows into one: a page after it counts them once.
  assert.equal(await gamesPlayed(await open(browser, server.url + 'orvanta.html', { context })), played[0] + played[1]);
});

test('a bad address is named in the status bar, nothing starts, and nothing of it becomes markup', async () => {
  for (const [query, message] of [
    ['seed=12x', 'Bad seed in the address'],
    ['seed=%3Cimg%20src=x%20onerror=alert(1)%3E', 'Bad seed in the address'],
    ['seed=5&first=30,0', 'Bad first cell in the address'],
    ['seed=5&first=3,4%00', 'Bad first cell in the address'],
    ['seed=5&guess=no', 'Bad guess in the address'],
    ['seed=5&rule=Safest', 'Bad rule in the address'],
    ['seed=5&chances=yes', 'Bad chances in the address']]) {
    const page = await open(browser, `${server.url}orvanta.html?${query}`);
    await sleep(300);
    assert.deepEqual(await status(page), [message, 'Games played: 0, won: 0, guesses: 0'], query);
    assert.deepEqual([await page.$$eval('img', (images) => images.length), (await field(page)).rows], [0, Array(16).fill('#'.repeat(30))]);
    await page.close();
  }
});

test('the solver is suspended 300 calls deep in a flood fill and goes on, in the release and the debug build', async () => {
  for (const folder of [process.env.ORVANTA_WEB_BUILD_DIR, process.env.ORVANTA_WEB_DEBUG_DIR]) {
    const page = await open(browser, `file://${folder}/tests/e2e/web/deep-flood/orvanta.html?seed=1`, { trace: true });
    await page.waitForFunction(() => orvantaTrace.includes('#\tProblem solved successfully'), { timeout: 20000 });
    assert.ok(await page.evaluate(() => orvantaTrace.some((line) => line.endsWith(': recursion level = 300'))));
    await page.close();
  }
});

test('the console shows no error', () => {
  assert.deepEqual(consoleErrors, []);
});
