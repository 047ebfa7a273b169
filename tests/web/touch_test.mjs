// Browser tests of the page on touch phones, a tablet and laptops: what the game waits for drives
// the touch controls (a tap as Enter, a keypad for answers, a list's entries as buttons), the
// screen fills each window, a game is won from the accessibility tree on the phone, and the desktop
// plays as before. Screenshots of every profile go to --shots.
//
//   node touch_test.mjs --site build/web/site --native build/default [--only NAME,...] [--shots DIR] [--figures FILE]
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import fs from 'node:fs';
import path from 'node:path';
import { browserTests, option, finish, launchBrowser, kWidth, kHeight } from './lib.mjs';

const t = browserTests({ name: 'skellarine-touch' });
const { native, webPlayer, dump, read, settle, expectText, canvasBox, at, startGame, expectResumed } = t;
const shots = path.resolve(option('shots', path.join(native, 'web-shots')));
const figuresFile = option('figures', '');
fs.mkdirSync(shots, { recursive: true });

const phones = {
  landscape: { viewport: { width: 844, height: 390 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  portrait: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  small: { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
};
const tablet = { viewport: { width: 820, height: 1180 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
const laptops = {
  laptop: { viewport: { width: 1366, height: 768 }, deviceScaleFactor: 1 },
  desktop: { viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 1 },
};

// ---- The game's state as the page sees it ----

// What the page was last told the game waits for.
const wait = (page) => page.evaluate(() => window.skellarine.wait || { kind: 'nothing' });

async function waitFor(page, test, what) {
  const start = Date.now();
  for (;;) {
    const w = await wait(page);
    if (test(w)) return w;
    if (Date.now() - start > 10000) throw new Error(`${what}: the game waits for ${JSON.stringify(w).slice(0, 200)}`);
    await page.waitForTimeout(50);
  }
}

// ---- Touch ----

async function tapScreen(page, x, y) {
  const p = await at(page, x, y);
  await page.touchscreen.tap(p.x, p.y);
  await settle(page);
}

// A finger down at one point, moved through others, lifted at the last, by the browser's own input.
async function stroke(page, points, holdMs = 0) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [points[0]] });
  if (holdMs) await page.waitForTimeout(holdMs);
  for (const p of points.slice(1)) {
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [p] });
  }
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await cdp.detach();
}

const keyNames = { '\r': 'Ввод', '\b': 'Стереть' };
async function pad(page, text) {
  for (const c of text) {
    const key = page.locator('#keypad').getByRole('button', { name: keyNames[c] || c, exact: true });
    if (!(await key.isVisible())) throw new Error(`no keypad key for ${JSON.stringify(c)}`);
    await key.tap();
  }
  await settle(page);
}

async function choiceButton(page, text) {
  const button = page.locator('#choices button', { hasText: new RegExp(`^${text}$`) });
  if ((await button.count()) !== 1 || !(await button.isVisible())) throw new Error(`no list button ${text}`);
  return button;
}

// Taps a list button and waits for the game's next wait (a new one: it may be a list again).
async function pickByTouch(page, text) {
  await page.evaluate(() => { window.skellarine.wait.tapped = true; });
  await (await choiceButton(page, text)).tap();
  await waitFor(page, (w) => !w.tapped && w.kind !== 'nothing', `after the button ${text}`);
  await settle(page);
}

// Through the help and the briefing with taps: each tap on the screen is Enter.
async function tapToFirstTurn(page) {
  for (let i = 0; i < 8; ++i) {
    const w = await wait(page);
    if (w.kind === 'list') return;
    await tapScreen(page, 320, 240);
  }
  throw new Error('taps did not lead to the first turn');
}

// ---- The browser ----

let browser;
async function openGame(url, profile) {
  const context = await browser.newContext(profile);
  const page = await context.newPage();
  await startGame(page, url);
  await waitFor(page, (w) => w.kind === 'enter', 'the first help page');
  await settle(page);
  return page;
}

async function shot(page, name) {
  await page.screenshot({ path: path.join(shots, name + '.png') });
}

const figures = {};

// The glyph cell (a text row is 14 game pixels, a glyph 16 wide) in CSS px, and the share of the window.
async function measure(page) {
  const b = await canvasBox(page);
  const viewport = page.viewportSize();
  return {
    cellW: (16 * b.width) / kWidth, cellH: (14 * b.height) / kHeight,
    share: Math.max(b.width / viewport.width, b.height / viewport.height), box: b,
  };
}

async function buttonHeights(page) {
  return page.evaluate(() => [...document.querySelectorAll('#choices button')].map((b) => b.getBoundingClientRect().height));
}

// ---- The tests ----

// The tab's game survives being reloaded in the middle of a turn (the turn's second list offered),
// then going away and back at a later turn's prompt: kept or resumed, as the browser chose.
async function resumeOnce(page, resumes) {
  const w = await wait(page);
  if (w.kind !== 'list') return;
  if (!resumes.middle && w.promptRow !== 34) resumes.middle = await expectResumed(page, 'reload', 'reloaded in the middle of a turn');
  else if (resumes.middle && !resumes.away && w.promptRow === 34) resumes.away = await expectResumed(page, 'away', 'away and back');
}

const tests = {};

tests.phone_game = async (url) => {
  // A whole game by touch alone on the landscape phone, in full screen: the autoplayer decides,
  // its clicks become taps on list buttons (or on the prompt), its keys taps on the keypad or,
  // where the game waits for Enter, on the screen.
  const page = await openGame(url, phones.landscape);
  await shot(page, 'landscape-help');
  await page.locator('#full').tap();
  await page.waitForFunction(() => document.fullscreenElement !== null, null, { timeout: 5000 });
  await settle(page);
  const m = await measure(page);
  figures.landscapeFull = m;
  if (m.cellH < 11) throw new Error(`glyph cell ${m.cellH.toFixed(1)} CSS px tall in full screen`);
  const player = spawn(webPlayer, ['play', native], { stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = createInterface({ input: player.stdout });
  let result = null;
  let steps = 0;
  let buttonsTapped = 0;
  let shotList = false;
  let shotPad = false;
  const resumes = {};
  for await (const line of lines) {
    const [word, ...rest] = line.split(' ');
    if (word === 'won' || word === 'fail') {
      result = line;
      break;
    }
    await resumeOnce(page, resumes);
    if (word === 'click') {
      const x = Number(rest[0]);
      const y = Number(rest[1]);
      const w = await wait(page);
      const row = Math.ceil(y / 14);
      const entry = w.kind === 'list' ? w.entries.find((e) => e.row === row) : null;
      if (entry) {
        if (!shotList) {
          await shot(page, 'landscape-list');
          figures.landscapeGame = { commandButtons: await buttonHeights(page) };
          shotList = true;
        }
        await pickByTouch(page, entry.text);
        ++buttonsTapped;
      } else {
        await tapScreen(page, x, y);
      }
    } else if (word === 'keys') {
      for (const c of Buffer.from(rest[0], 'hex').toString('latin1')) {
        let w = await wait(page);
        if (w.kind === 'nothing') {
          await page.waitForTimeout(500);
          w = await wait(page);
        }
        if (w.kind === 'nothing' || (w.kind === 'key' && c !== '\r')) {
          // The win animation ends on any key: a tap gives one.
          await shot(page, 'landscape-win');
          await tapScreen(page, 320, 240);
        } else if (w.kind === 'typed') {
          if (!shotPad) {
            await pad(page, '');
            await shot(page, 'landscape-keypad');
            shotPad = true;
          }
          await pad(page, c);
        } else if (c === '\r') {
          await tapScreen(page, 320, 240);
        } else {
          throw new Error(`the player types ${JSON.stringify(c)} where the game waits for ${w.kind}`);
        }
      }
    } else if (word !== 'screen') {
      throw new Error('web_player asked: ' + line);
    }
    ++steps;
    player.stdin.write((await dump(page)) + '\n');
  }
  player.stdin.end();
  if (!result || !result.startsWith('won')) throw new Error(`the game was not won by touch: ${result}`);
  if (buttonsTapped < 5) throw new Error(`only ${buttonsTapped} list buttons tapped`);
  if (!resumes.middle || !resumes.away) throw new Error('the game was not reloaded and taken away and back: ' + JSON.stringify(resumes));
  console.log(`  ${result} (turns, game minutes) in ${steps} steps, ${buttonsTapped} list buttons; `
    + `the reload ${resumes.middle}, away and back ${resumes.away}`);
  await page.waitForFunction(() => window.skellarine.state === 'ended', null, { timeout: 10000 });
  if (await page.locator('#keypad').isVisible()) throw new Error('the keypad stays under the end message');
  await shot(page, 'landscape-ended');
  await page.context().close();
};

// Taps, the keypad, the city of places and the size of the screen's text on one phone profile.
async function phoneDetails(url, name, profile) {
  const page = await openGame(url, profile);
  await shot(page, `${name}-help`);
  const before = await read(page, 'QUINTREL - SKELLARINE');
  if (!before.found['QUINTREL - SKELLARINE']) throw new Error('no first help page');
  // A tap turns a help page.
  await tapScreen(page, 320, 240);
  const after = await read(page, 'QUINTREL - SKELLARINE');
  if (after.found['QUINTREL - SKELLARINE']) throw new Error('a tap did not turn the help page');
  if (await page.locator('#keypad').isVisible()) throw new Error('a keypad while the game waits for Enter');
  await tapToFirstTurn(page);
  await settle(page);
  figures[name] = { ...(await measure(page)) };
  // The command list as buttons, from the prompt on.
  const heights = await buttonHeights(page);
  figures[name].commandButtons = heights;
  if (heights.length !== 13) throw new Error(`${heights.length} command buttons`);
  if (Math.min(...heights) < 44) throw new Error(`command buttons ${Math.min(...heights)} CSS px tall`);
  await shot(page, `${name}-commands`);

  // ЖДАТЬ: the keypad; a press that slides off types nothing, one lifted inside types.
  await pickByTouch(page, 'ЖДАТЬ');
  await waitFor(page, (w) => w.kind === 'typed', 'ЖДАТЬ');
  if (!(await page.locator('#keypad').isVisible())) throw new Error('no keypad for a typed answer');
  if (await page.locator('#choices').isVisible()) throw new Error('list buttons beside the keypad');
  await shot(page, `${name}-keypad`);
  const keySizes = await page.$$eval('#keypad button', (bs) => bs.map((b) => b.getBoundingClientRect()).map((b) => Math.min(b.width, b.height)));
  figures[name].keypadKey = Math.min(...keySizes);
  if (figures[name].keypadKey < 44) throw new Error(`a keypad key ${figures[name].keypadKey} CSS px`);
  const five = await page.locator('#keypad').getByRole('button', { name: '5', exact: true }).boundingBox();
  const enter = await page.locator('#keypad').getByRole('button', { name: 'Ввод' }).boundingBox();
  const mid = (b) => ({ x: b.x + b.width / 2, y: b.y + b.height / 2 });
  await stroke(page, [mid(five), { x: mid(five).x + 3, y: mid(five).y + 2 }, { x: five.x - 40, y: mid(five).y + 90 }]);
  await stroke(page, [mid(enter), { x: enter.x + enter.width + 60, y: mid(enter).y }]);
  await settle(page);
  await expectText(page, '>_', 'presses slid off the keypad');
  if ((await wait(page)).kind !== 'typed') throw new Error('a cancelled Enter ended the answer');
  const pressed = await page.evaluate(() => document.querySelectorAll('#keypad .pressed').length);
  if (pressed) throw new Error('a key stays pressed after the finger left');
  await pad(page, '5');
  await expectText(page, '>5_', 'a key lifted inside');
  await pad(page, '\r');
  await waitFor(page, (w) => w.kind === 'list', 'the next turn');
  await settle(page);

  // The places as the city: entry i in column i mod 5, row i div 5 of the grid.
  await pickByTouch(page, 'ДВИГАТЬСЯ');
  const places = await waitFor(page, (w) => w.kind === 'list' && w.list === 2, 'the list of places');
  const boxes = await page.$$eval('#choices button', (bs) => bs.map((b) => b.getBoundingClientRect().toJSON()));
  figures[name].placeButtons = boxes.map((b) => b.height);
  await shot(page, `${name}-places`);
  const off = boxes.findIndex((b, i) => Math.abs(b.x - boxes[i % places.columns].x) > 1 || Math.abs(b.y - boxes[places.columns * Math.floor(i / places.columns)].y) > 1);
  if (places.columns !== 5 || boxes.length !== 20 || off >= 0) throw new Error(`the places are not laid out as the 5 x 4 city: ${places.columns}, entry ${off}`);
  await pickByTouch(page, places.entries[7].text.trim());
  await expectText(page, 'ЭТО ' + places.entries[7].text.trim(), 'a place button');
  // The screen's text under the picture in portrait, large enough to read.
  const mirror = await page.$eval('#rows p', (p) => ({ size: parseFloat(getComputedStyle(p).fontSize), height: p.getBoundingClientRect().height }));
  figures[name].mirrorPx = mirror.size;
  if (name !== 'landscape' && (mirror.size < 16 || mirror.height < 16)) throw new Error(`the mirror's text is ${mirror.size} CSS px, ${mirror.height} high`);

  // A long press outside a list (the prompt only) still shows the bare picture.
  const peek = await page.context().newCDPSession(page);
  await peek.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [await at(page, 320, 100)] });
  await page.waitForTimeout(800);
  await settle(page);
  const bare = await read(page, 'ВАШИ ДЕЙСТВИЯ');
  if (bare.found['ВАШИ ДЕЙСТВИЯ']) throw new Error('a long press outside the list shows the rows');
  await peek.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await peek.detach();
  await settle(page);
  await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'after a long press');
  if ((await wait(page)).open) throw new Error('a long press opened the list');
  await page.context().close();
}

tests.phone_landscape = (url) => phoneDetails(url, 'landscape', phones.landscape);
tests.phone_portrait = (url) => phoneDetails(url, 'portrait', phones.portrait);
tests.phone_small = (url) => phoneDetails(url, 'small', phones.small);

tests.words_game = async (url) => {
  const context = await browser.newContext({ ...phones.landscape, serviceWorkers: 'block' });
  try {
    await t.playByAccessibility(context, url, ' ', false);
  } finally {
    await context.close();
  }
};

tests.fill = async (url) => {
  // The screen's share of each window, and clicks on the right rows at that size.
  for (const [name, profile] of [['laptop', laptops.laptop], ['desktop', laptops.desktop], ['tablet', tablet]]) {
    const page = await openGame(url, profile);
    const m = await measure(page);
    figures[name] = m;
    await shot(page, `${name}-help`);
    if (m.share < 0.9) throw new Error(`${name}: the screen takes ${(100 * m.share).toFixed(1)} % of the window`);
    if (Math.abs(m.box.width * 3 - m.box.height * 4) > 4) throw new Error(`${name}: not 4:3`);
    // Under two device pixels to a game pixel the screen is drawn at the next whole multiple with
    // hard edges (each game pixel a block of that copy) and scaled down by the browser.
    const sharp = await page.evaluate(() => {
      const game = document.getElementById('canvas');
      const copy = document.getElementById('screen');
      if (copy.hidden) return { hidden: true, pixelated: getComputedStyle(game).imageRendering };
      const k = copy.width / 640;
      const a = game.getContext('2d').getImageData(0, 0, 640, 480).data;
      const b = copy.getContext('2d').getImageData(0, 0, copy.width, copy.height).data;
      let wrong = 0;
      for (let y = 3; y < 480; y += 37) {
        for (let x = 5; x < 640; x += 41) {
          for (const [dx, dy] of [[0, 0], [k - 1, k - 1]]) {
            const i = 4 * (y * 640 + x);
            const j = 4 * ((y * k + dy) * copy.width + x * k + dx);
            if (a[i] !== b[j] || a[i + 1] !== b[j + 1] || a[i + 2] !== b[j + 2]) ++wrong;
          }
        }
      }
      return { hidden: false, k, wrong, shown: getComputedStyle(copy).display };
    });
    const perGame = (m.box.width / kWidth) * profile.deviceScaleFactor;
    if (perGame < 2 && (sharp.hidden || sharp.k !== Math.ceil(perGame) || sharp.wrong || sharp.shown === 'none')) {
      throw new Error(`${name}: no sharp copy at ${perGame.toFixed(2)} device px per game px: ${JSON.stringify(sharp)}`);
    }
    if (perGame >= 2 && (!sharp.hidden || !['pixelated', 'crisp-edges'].includes(sharp.pixelated))) throw new Error(`${name}: not pixelated at ${perGame.toFixed(2)}`);
    if (profile.hasTouch) {
      await tapToFirstTurn(page);
      figures[name].commandButtons = await buttonHeights(page);
      await pickByTouch(page, 'ХИТРИТЬ');
    } else {
      for (let i = 0; i < 8 && (await wait(page)).kind === 'enter'; ++i) {
        await page.keyboard.press('Enter');
        await settle(page);
      }
      const prompt = await at(page, 320, 14 * 34 - 7);
      await page.mouse.click(prompt.x, prompt.y);
      await settle(page);
      const open = await waitFor(page, (w) => w.kind === 'list' && w.open, 'the list opened by the mouse');
      const row = open.entries.find((e) => e.text === 'ХИТРИТЬ').row;
      const p = await at(page, 320, 14 * row - 7);
      await page.mouse.click(p.x, p.y);
      await settle(page);
    }
    const answer = await expectText(page, 'DEBUG IS ON', `${name}: ХИТРИТЬ`);
    if (answer !== 32) throw new Error(`${name}: the answer on row ${answer}`);
    await shot(page, `${name}-turn`);
    await page.context().close();
  }
};

tests.page_texts = async (url) => {
  // Russian only: a failed download names no browser words and offers "Повторить"; without
  // WebAssembly nothing can help, so no button; sizes with a decimal comma.
  const context = await browser.newContext(phones.landscape);
  const cases = [
    ['404', (route) => route.fulfill({ status: 404, body: 'gone' }), /^Не удалось загрузить файлы игры\. Сервер не отдал файл skellarine\.data \(код 404\)\./],
    ['abort', (route) => route.abort('internetdisconnected'), /^Не удалось загрузить файлы игры\. Нет связи с сервером\./],
  ];
  for (const [what, handler, pattern] of cases) {
    const page = await context.newPage();
    await page.route('**/skellarine.data*', handler);
    await page.goto(url);
    await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'error', null, { timeout: 20000 });
    const text = await page.locator('#message-text').textContent();
    const retry = await page.locator('#retry').textContent();
    if (!pattern.test(text) || /[A-Za-z]{3,}/.test(text.replace(/skellarine\.data/, ''))) throw new Error(`${what}: ${text}`);
    if (retry !== 'Повторить' || !(await page.locator('#retry').isVisible())) throw new Error(`${what}: the button reads ${retry}`);
    if (await page.locator('#again').isVisible()) throw new Error(`${what}: a new start offered beside "Повторить"`);
    if (await page.locator('#panel').isVisible()) throw new Error(`${what}: touch controls under the message`);
    await shot(page, `landscape-failed-${what}`);
    await page.close();
  }
  let page = await context.newPage();
  await page.addInitScript(() => { delete window.WebAssembly; });
  await page.goto(url);
  await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'error', null, { timeout: 20000 });
  if ((await page.locator('#again').isVisible()) || (await page.locator('#retry').isVisible())) {
    throw new Error('a button offered without WebAssembly');
  }
  await page.close();
  page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'running', null, { timeout: 30000 });
  const size = await page.locator('#loading-size').textContent();
  if (!/^\d+,\d из \d+,\d МБ$/.test(size)) throw new Error(`the progress line reads "${size}"`);
  await context.close();
};

tests.desktop_unchanged = async (url) => {
  // Keyboard and mouse: no keypad, no list buttons, no full-screen offer; typed answers by keys.
  const page = await openGame(url, laptops.laptop);
  for (let i = 0; i < 8 && (await wait(page)).kind === 'enter'; ++i) {
    await page.keyboard.press('Enter');
    await settle(page);
  }
  // The controls are there for screen readers only: no larger than a pixel.
  const visible = async () => page.evaluate(() => ['#panel', '#keypad', '#choices', '#full', '#next']
    .filter((s) => { const b = document.querySelector(s).getBoundingClientRect(); return b.width > 1 && b.height > 1; }));
  if ((await visible()).length) throw new Error('touch controls on the desktop: ' + (await visible()));
  const prompt = await at(page, 320, 14 * 34 - 7);
  await page.mouse.click(prompt.x, prompt.y);
  await settle(page);
  const open = await waitFor(page, (w) => w.kind === 'list' && w.open, 'the list');
  const p = await at(page, 320, 14 * open.entries.find((e) => e.text === 'ЖДАТЬ').row - 7);
  await page.mouse.click(p.x, p.y);
  await waitFor(page, (w) => w.kind === 'typed', 'ЖДАТЬ');
  if ((await visible()).length) throw new Error('touch controls for a typed answer on the desktop: ' + (await visible()));
  await page.keyboard.type('10');
  await page.keyboard.press('Enter');
  await waitFor(page, (w) => w.kind === 'list', 'the next turn');
  await settle(page);
  await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the turn after waiting');
  const focus = await page.evaluate(() => document.activeElement && document.activeElement.id);
  if (focus !== 'canvas') throw new Error(`the focus is on ${focus}, not on the canvas`);
  await page.context().close();
};

// ---- Running ----

const { server, url } = await t.serve('games/skellarine');
browser = await launchBrowser();
let counts;
try {
  counts = await t.runTests(tests, (test) => test(url));
} finally {
  await browser.close();
  server.kill();
  t.removeWork();
}
const summary = {};
for (const [name, f] of Object.entries(figures)) {
  summary[name] = {
    cell: f.cellW && `${f.cellW.toFixed(1)} x ${f.cellH.toFixed(1)}`, share: f.share && +(100 * f.share).toFixed(1),
    commandButtons: f.commandButtons && Math.round(Math.min(...f.commandButtons)),
    placeButtons: f.placeButtons && Math.round(Math.min(...f.placeButtons)),
    keypadKey: f.keypadKey && Math.round(f.keypadKey), mirrorPx: f.mirrorPx,
  };
}
console.log('figures', JSON.stringify(summary));
if (figuresFile) fs.writeFileSync(figuresFile, JSON.stringify(summary, null, 2) + '\n');
finish(counts);
