// What the browser tests and the web benchmarks share: the site served from a sub-path of
// 127.0.0.1, Chromium, the screen read back with the autoplayer's glyph matching (web_player of
// the native build), input, the autoplayer's game and one played from the accessibility tree.
// SKELLARINE_SITE (default build/web/site), SKELLARINE_NATIVE (build/default) and SKELLARINE_SHOTS
// (NATIVE/web-shots) say where things are.
import { chromium } from 'playwright-core';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { spawn, execFileSync } from 'node:child_process';
import { createInterface } from 'node:readline';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const kWidth = 640;
export const kHeight = 480;
export const site = path.resolve(process.env.SKELLARINE_SITE || 'build/web/site');
export const native = path.resolve(process.env.SKELLARINE_NATIVE || 'build/default');
export const shots = path.resolve(process.env.SKELLARINE_SHOTS || path.join(native, 'web-shots'));
export const webPlayer = path.join(native, 'web_player');
export const work = fs.mkdtempSync(path.join(os.tmpdir(), 'skellarine-web-'));
const children = [];
process.on('exit', () => {
  for (const child of children) child.kill();
  fs.rmSync(work, { recursive: true, force: true });
});

export const phone = { viewport: { width: 844, height: 390 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
export const portrait = { ...phone, viewport: { width: 390, height: 844 } };
// Every Chromium of these tests; the windowed one drops --headless.
export const kChromiumArgs = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The site under a sub-path, as a maintainer might publish it. log: every request's path below the
// sub-path; publish(dir) swaps the published folder.
export async function serve(subPath) {
  const root = fs.mkdtempSync(path.join(work, 'root-'));
  const link = path.join(root, subPath);
  fs.mkdirSync(path.dirname(link), { recursive: true });
  fs.symlinkSync(site, link);
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root],
    { stdio: ['ignore', 'pipe', 'pipe'] });
  children.push(server);
  const log = [];
  const prefix = `/${subPath}/`;
  createInterface({ input: server.stderr }).on('line', (line) => {
    const m = /"GET ([^ ]+) HTTP[^"]*" (\d+)/.exec(line);
    if (m) log.push({ path: decodeURIComponent(m[1].startsWith(prefix) ? m[1].slice(prefix.length) : m[1]), status: Number(m[2]) });
  });
  const port = await new Promise((resolve, reject) => {
    createInterface({ input: server.stdout }).on('line', (line) => { if (/port (\d+)/.test(line)) resolve(Number(/port (\d+)/.exec(line)[1])); });
    server.on('exit', () => reject(new Error('http.server ended')));
  });
  const publish = (dir) => { fs.unlinkSync(link); fs.symlinkSync(dir, link); };
  return { log, publish, url: `http://127.0.0.1:${port}${prefix}`, close: () => server.kill() };
}

// A browser with a profile of its own (a service worker and its cache live there).
export function launch(options = {}) {
  return chromium.launchPersistentContext(fs.mkdtempSync(path.join(work, 'profile-')), {
    executablePath: '/usr/bin/chromium', headless: true, viewport: { width: 1000, height: 760 }, ...options, args: kChromiumArgs,
  });
}

// Chromium without a profile of its own, for contexts with a device's profile.
export const launchBrowser = () => chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, args: kChromiumArgs });

// body(context) with a browser context (or its promise), closed afterwards whatever happens.
export async function withContext(made, body) {
  const context = await made;
  try {
    return await body(context);
  } finally {
    await context.close();
  }
}

// ---- Reading the screen ----

export async function canvasBytes(page) {
  const b64 = await page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    // The game closes its window when it ends, and the canvas goes with it.
    if (canvas.width === 0) return btoa(String.fromCharCode(0).repeat(640 * 480 * 4));
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    return btoa(text);
  });
  return Buffer.from(b64, 'base64');
}

// Several files in turn: web_player may still be reading the previous one.
let dumps = 0;
export async function dump(page) {
  const bytes = await canvasBytes(page);
  assert.equal(bytes.length, kWidth * kHeight * 4, 'the canvas size');
  const file = path.join(work, `screen${dumps++ % 4}.rgba`);
  fs.writeFileSync(file, bytes);
  return file;
}

// The rows of the screen as the autoplayer reads them, the row on which each text starts (0: none)
// and the clock in minutes (-1: none).
export async function read(page, ...texts) {
  const out = execFileSync(webPlayer, ['read', native, await dump(page), ...texts], { encoding: 'utf8' });
  const rows = {};
  const found = {};
  for (const [, kind, n, text] of out.matchAll(/^(row|find) (\d+) (.*)$/gm)) {
    if (kind === 'row') rows[n] = text;
    else found[text] = Number(n);
  }
  const clock = Number((/^clock (-?\d+)$/m.exec(out) || [0, -1])[1]);
  return { rows, found, clock, text: Object.entries(rows).filter(([, t]) => t.trim()).map(([r, t]) => `${r}|${t}`).join('\n') };
}

export function canvasHash(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    if (canvas.width === 0) return 0;
    const d = new Uint32Array(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.buffer);
    let h = 0;
    for (let i = 0; i < d.length; ++i) h = (Math.imul(h, 31) + d[i]) | 0;
    return h;
  });
}

// Waits until the canvas has not changed for 400 ms (the game waits for input again), 8 s at most:
// a screen may wait for pictures from the server.
export async function settle(page) {
  const start = Date.now();
  let last = await canvasHash(page);
  for (let quietSince = Date.now(); Date.now() - start < 8000;) {
    await page.waitForTimeout(50);
    const now = await canvasHash(page);
    if (now !== last) [last, quietSince] = [now, Date.now()];
    else if (Date.now() - quietSince >= 400) return;
  }
}

// The game running, waiting for input and drawn.
export async function running(page) {
  await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'running' && window.skellarine.wait, null, { timeout: 30000 });
  await settle(page);
}

// The row on which text starts.
export async function expectText(page, text, what) {
  const screen = await read(page, text);
  assert.ok(screen.found[text], `${what}: no row shows "${text}"; the screen:\n${screen.text}`);
  return screen.found[text];
}

export async function expectNoText(page, text, what) {
  const screen = await read(page, text);
  assert.ok(!screen.found[text], `${what}: row ${screen.found[text]} still shows "${text}"`);
}

// ---- Input ----

// The page point of screen pixel (x, y), wherever the canvas is and however it is scaled.
export async function at(page, x, y) {
  const box = await page.locator('#canvas').boundingBox();
  return { x: box.x + ((x + 0.5) * box.width) / kWidth, y: box.y + ((y + 0.5) * box.height) / kHeight };
}

// A click on screen pixel (x, y), or with touch a tap there.
export async function click(page, x, y, touch = false) {
  const p = await at(page, x, y);
  await (touch ? page.touchscreen.tap(p.x, p.y) : page.mouse.click(p.x, p.y));
  await settle(page);
}

export async function keys(page, text) {
  const named = { '\r': 'Enter', '\b': 'Backspace', ' ': 'Space' };
  for (const c of text) await (named[c] ? page.keyboard.press(named[c]) : page.keyboard.type(c));
  await settle(page);
}

// Holds the right button down over the picture (the bare picture, while held).
export async function holdRight(page) {
  const p = await at(page, 320, 200);
  await page.mouse.move(p.x, p.y);
  await page.mouse.down({ button: 'right' });
  await settle(page);
}

// The middle of a text row.
export const rowY = (r) => 14 * r - 7;

// Opens the list whose prompt is on listRow and picks the entry reading word.
export async function pick(page, word, listRow = 34) {
  await click(page, 320, rowY(listRow));
  await click(page, 320, rowY(await expectText(page, ' ' + word, `the list for ${word}`)));
}

export async function moveTo(page, place) {
  await pick(page, 'ДВИГАТЬСЯ', 34);
  await pick(page, place, 33);
}

// What the page was last told the game waits for.
export const wait = (page) => page.evaluate(() => window.skellarine.wait || { kind: 'nothing' });

export async function waitFor(page, test, what) {
  for (const start = Date.now(); ; await page.waitForTimeout(50)) {
    const w = await wait(page);
    if (test(w)) return w;
    assert.ok(Date.now() - start < 10000, `${what}: the game waits for ${JSON.stringify(w).slice(0, 200)}`);
  }
}

// Through the help pages and the briefing to the first turn's command prompt, with Enter or, with
// touch, taps on the screen.
export async function toFirstTurn(page, touch = false) {
  for (let i = 0; i < 8; ++i) {
    if ((await read(page, 'ВАШИ ДЕЙСТВИЯ')).found['ВАШИ ДЕЙСТВИЯ']) return;
    if (touch) await click(page, 320, 240, true);
    else await keys(page, '\r');
  }
  assert.fail('no command prompt after the help and the briefing');
}

// Taps the keypad's keys.
export async function pad(page, text) {
  for (const c of text) {
    const key = page.locator('#keypad').getByRole('button', { name: { '\r': 'Ввод', '\b': 'Стереть' }[c] || c, exact: true });
    assert.ok(await key.isVisible(), `no keypad key for ${JSON.stringify(c)}`);
    await key.tap();
  }
  await settle(page);
}

// Taps a list button and waits for the game's next wait (a new one: it may be a list again).
export async function pickByTouch(page, text) {
  const button = page.locator('#choices button', { hasText: new RegExp(`^${text}$`) });
  assert.ok((await button.count()) === 1 && (await button.isVisible()), `no list button ${text}`);
  await page.evaluate(() => { window.skellarine.wait.tapped = true; });
  await button.tap();
  await waitFor(page, (w) => !w.tapped && w.kind !== 'nothing', `after the button ${text}`);
  await settle(page);
}

// ---- The game ----

// A new page of the context (a new context with options) with the game at its first screen. Notes
// what the page's content policy refused (page.refused).
export async function openGame(context, url, options) {
  const page = options ? await (await context.newContext(options)).newPage() : await context.newPage();
  page.on('pageerror', (e) => console.log('  page error:', e.message));
  page.refused = [];
  page.on('console', (m) => { if (/Content Security Policy/.test(m.text())) page.refused.push(m.text()); });
  await page.goto(url);
  await page.waitForFunction(() => window.skellarine && window.skellarine.state !== 'loading', null, { timeout: 30000 });
  assert.equal(await page.evaluate(() => window.skellarine.state), 'running', await page.evaluate(() => window.skellarine.error));
  await waitFor(page, (w) => w.kind === 'enter', 'the first help page');
  await settle(page);
  return page;
}

// Reloads the page (how: 'reload'), or goes to another page of the site and back ('away'), and
// wants the game back at the same screen, pixel for pixel. A page the browser kept whole (its
// back-forward cache) comes back as it was; a new one must have resumed from the tab's journal.
// screen: the one wanted, when it is not the one shown now.
export async function expectResumed(page, how, what, screen = null) {
  const before = screen || (await canvasBytes(page));
  // The wait as the game tells it, but for whether it was resumed.
  const waitNow = () => page.evaluate(() => JSON.stringify({ ...window.skellarine.wait, resumed: '' }));
  const waited = await waitNow();
  await page.evaluate(() => { window.sameDocument = true; });
  if (how === 'reload') {
    await page.reload();
  } else {
    await page.goto(new URL('LICENSE.txt', page.url()).href);
    await page.goBack();
  }
  await page.waitForFunction(() => window.skellarine && window.skellarine.state !== 'loading' && window.skellarine.wait, null, { timeout: 30000 });
  await settle(page);
  const kept = await page.evaluate(() => window.sameDocument === true);
  if (!kept) assert.equal(await page.evaluate(() => window.skellarine.resumed), 'yes', `${what}: the game did not resume`);
  const after = await canvasBytes(page);
  assert.ok(after.equals(before), `${what}: another screen after the resume:\n${(await read(page)).text}`);
  assert.equal(await waitNow(), waited, `${what}: another wait after the resume`);
  return kept ? 'kept' : 'resumed';
}

// The autoplayer's whole game (web_player play): act.click(x, y) and act.keys(text) do what it
// asks in the browser, act.before() runs before each step; it gets the settled canvas back. After
// ФИНИШ and Y the page must say that the game has ended and offer a new one.
export async function playWithPlayer(page, act) {
  const player = spawn(webPlayer, ['play', native], { stdio: ['pipe', 'pipe', 'inherit'] });
  let steps = 0;
  let result = 'no result';
  for await (const line of createInterface({ input: player.stdout })) {
    const [word, x, y] = line.split(' ');
    if (word === 'won' || word === 'fail') {
      result = line;
      break;
    }
    if (act.before) await act.before();
    if (word === 'click') await act.click(Number(x), Number(y));
    else if (word === 'keys') await act.keys(Buffer.from(x, 'hex').toString('latin1'));
    else assert.equal(word, 'screen', 'web_player asked: ' + line);
    ++steps;
    player.stdin.write((await dump(page)) + '\n');
  }
  player.stdin.end();
  assert.match(result, /^won/, 'the game was not won');
  await page.waitForFunction(() => window.skellarine.state === 'ended', null, { timeout: 10000 });
  const shown = await page.evaluate(() => ({
    text: document.getElementById('message-text').textContent, message: !document.getElementById('message').hidden,
    again: !document.getElementById('again').hidden, status: window.skellarine.exitStatus,
  }));
  assert.ok(shown.message && /окончена/.test(shown.text) && shown.again && shown.status === 0, 'the end: ' + JSON.stringify(shown));
  return `${result} (turns, game minutes) in ${steps} steps`;
}

// ---- The service worker's cache ----

// The site's files that the service worker keeps (the compressed copies in place of the plain files).
export function keptFiles(dir) {
  return fs.readdirSync(dir, { recursive: true }).filter((f) => fs.statSync(path.join(dir, f)).isFile())
    .filter((f) => f !== 'sw.js' && !fs.existsSync(path.join(dir, f + '.gz'))).sort();
}

export function buildName(dir) {
  const page = fs.readFileSync(path.join(dir, 'index.html'), 'utf8');
  return JSON.parse(/<script id="build" type="application\/json">([\s\S]*?)<\/script>/.exec(page)[1]).build;
}

// Waits until the service worker's cache of the build holds every file of the site; returns its name.
export async function waitForKeptSite(page, dir) {
  const want = keptFiles(dir).length;
  for (const deadline = Date.now() + 30000; ; await page.waitForTimeout(250)) {
    const { kept, installing } = await page.evaluate(async () => {
      const out = {};
      // Not a file of the site: the worker's list of what the cache holds.
      for (const name of await caches.keys()) out[name] = (await (await caches.open(name)).keys()).filter((r) => !r.url.endsWith('?sums')).length;
      // The cache is full a moment before its worker has installed.
      return { kept: out, installing: !!(await navigator.serviceWorker.getRegistration())?.installing };
    });
    const full = Object.entries(kept).find(([name, count]) => name.endsWith(' ' + buildName(dir)) && count === want);
    if (full && !installing) return full[0];
    assert.ok(Date.now() < deadline, `the site was not kept whole: ${JSON.stringify(kept)} of ${want}`);
  }
}

// ---- Accessibility ----

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

export async function expectNoAxeViolations(page, what) {
  // Evaluated by the test, not as a script tag: the page's content policy refuses inline scripts.
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axeSource);
  const found = await page.evaluate(async () => (await window.axe.run(document)).violations
    .map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
  assert.deepEqual(found, [], `axe at ${what}`);
}

// The mirror's rows, each on the canvas where it says, and no text on the canvas that it lacks.
async function expectMirror(page, what) {
  await settle(page);
  const mirror = await page.$$eval('#rows p[data-row]', (ps) => ps.map((p) => ({ row: Number(p.dataset.row), text: p.textContent })));
  const screen = await read(page, ...mirror.map((m) => m.text));
  const once = (m) => mirror.filter((n) => n.text.trim() === m.text.trim()).length === 1;
  const wrong = mirror.filter((m) => !screen.found[m.text] || (once(m) && screen.found[m.text] !== m.row));
  const onCanvas = Object.entries(screen.rows).filter(([, text]) => text.replace(/[~ ]/g, '')).map(([r]) => r).join();
  assert.ok(!wrong.length && onCanvas === mirror.map((m) => m.row).join(), `${what}: the mirror ${JSON.stringify(mirror)}\nthe canvas:\n${screen.text}`);
}

// The page as a screen reader has it (Chromium's accessibility tree over CDP), and a player's
// actions on its nodes found by role and name: focus, then Enter or Space, or text typed and Enter.
async function accessibilityTree(page, activateKey) {
  const cdp = await page.context().newCDPSession(page);
  const codes = { Enter: ['Enter', 13, '\r'], ' ': ['Space', 32, ' '] };
  const press = async (key) => {
    const [code, windowsVirtualKeyCode, text] = codes[key];
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key, code, windowsVirtualKeyCode, text });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key, code, windowsVirtualKeyCode });
  };
  const name = (n) => (n.name && n.name.value) || '';
  const role = (n) => n.role && n.role.value;
  async function look() {
    const { nodes } = await cdp.send('Accessibility.getFullAXTree');
    const byId = new Map(nodes.map((n) => [n.nodeId, n]));
    const shown = nodes.filter((n) => !n.ignored);
    const under = (n, test, out = []) => {
      for (const c of (n.childIds || []).map((id) => byId.get(id)).filter(Boolean)) {
        if (!c.ignored && test(c)) out.push(c);
        else under(c, test, out);
      }
      return out;
    };
    const find = (r, nm) => shown.find((n) => role(n) === r && (nm === undefined || name(n) === nm));
    const texts = (n) => (n ? under(n, (c) => role(c) === 'StaticText').map((c) => name(c).trim()) : []);
    const buttons = (n) => under(n, (c) => role(c) === 'button').map((c) => ({ name: name(c), id: c.backendDOMNodeId }));
    const clock = shown.map(name).find((t) => /^Время \d\d:\d\d$/.test(t));
    return {
      rows: texts(find('region', 'Сейчас на экране')),
      clock: clock ? Number(clock.slice(6, 8)) * 60 + Number(clock.slice(9, 11)) : -1,
      choices: find('group', 'Выбор') ? buttons(find('group', 'Выбор')) : [],
      buttons: shown.filter((n) => role(n) === 'button').map((n) => ({ name: name(n), id: n.backendDOMNodeId })),
      textbox: find('textbox'),
      alert: texts(find('alert')).join(' '),
    };
  }
  const key = (s) => JSON.stringify([s.rows, s.clock, s.choices.map((c) => c.name), s.textbox && name(s.textbox), s.alert]);
  let last = await look();
  // Waits until the tree differs from what it was before the action and then holds still.
  async function after(act) {
    const before = key(last);
    await act();
    let seen = before;
    for (let start = Date.now(), since = start; ; await sleep(100)) {
      const now = await look();
      if (key(now) !== seen) [seen, since] = [key(now), Date.now()];
      else if (seen !== before && Date.now() - since >= 400) return (last = now);
      assert.ok(Date.now() - start < 15000, `nothing changed after the action; the rows:\n${now.rows.join('\n')}`);
    }
  }
  const focus = (id) => cdp.send('DOM.focus', { backendNodeId: id });
  return {
    look: () => last,
    // The button named so (among the list's entries first): focused, then the key.
    press: (buttonName) => after(async () => {
      const b = last.choices.find((c) => c.name === buttonName) || last.buttons.find((c) => c.name === buttonName);
      assert.ok(b, `no button "${buttonName}"; the buttons: ${last.buttons.map((c) => c.name).join(', ')}`);
      await focus(b.id);
      await press(activateKey);
    }),
    type: (text) => after(async () => {
      assert.ok(last.textbox, `no text box for "${text}"; the rows:\n${last.rows.join('\n')}`);
      await focus(last.textbox.backendDOMNodeId);
      await cdp.send('Input.insertText', { text });
      await press('Enter');
    }),
    // Waits for what the page says without being asked (the end of the game).
    until: async (test, what) => {
      for (const start = Date.now(); !test((last = await look())); await sleep(100)) {
        assert.ok(Date.now() - start < 15000, `no ${what}; the rows:\n${last.rows.join('\n')}`);
      }
    },
    label: () => (last.textbox ? name(last.textbox) : ''),
    close: () => cdp.detach(),
  };
}

// A whole game won from the accessibility tree alone: the briefing read off the screen's text, the
// errands run as a careful player would (the note first, 5 minutes a step of the city's grid),
// answered with the page's buttons and text box. moment(name) is called at the help, the briefing,
// a turn with a list, a typed question and the question after the game.
async function winByAccessibility(page, activateKey, moment) {
  const ax = await accessibilityTree(page, activateKey);
  let s = ax.look();
  const fail = (why) => assert.fail(`${why}; the rows:\n${s.rows.join('\n')}`);
  const has = (prefix) => s.rows.some((r) => r.startsWith(prefix));
  const rowAfter = (prefix, k = 1) => s.rows[s.rows.findIndex((r) => r.startsWith(prefix)) + k] ?? fail(`no row after "${prefix}"`);
  const expect = (prefix) => has(prefix) || fail(`no row "${prefix}"`);
  const press = async (word) => { s = await ax.press(word); };
  const type = async (text) => { s = await ax.type(text); };
  await moment('help');
  for (let i = 0; i < 12 && !has('ПРОЧИТАЙТЕ ПИСЬМО НА'); ++i) await press('Дальше');
  await moment('briefing');
  const place = (row) => row.replace(/^ОБЪЕКТЕ /, '');
  const hour = (row) => 60 * parseInt(row.replace(/^В /, ''), 10);
  const errands = [['note', place(rowAfter('ВАШЕ СООБЩЕНИЕ ЗАБЕРУТ НА')), 5], ['letter', place(rowAfter('ПРОЧИТАЙТЕ ПИСЬМО НА')), 0]];
  const pickup = hour(rowAfter('ВАШЕ СООБЩЕНИЕ ЗАБЕРУТ НА', 2));
  const train = hour(rowAfter('ПОСЛЕДНИЙ ПОЕЗД УХОДИТ'));
  await press('Дальше');
  await moment('list');
  await press('ХИТРИТЬ');
  expect('DEBUG IS ON');
  await press('ПОМОЩЬ');
  errands.push(['key', s.rows.find((r) => r.startsWith('KEY=')).slice(4), 10], ['chest', 'ПОРТ', 5]);
  await press('Дальше');
  const hereName = rowAfter('ЭТО ', 0).slice(4);
  await press('ДВИГАТЬСЯ');
  const rooms = s.choices.map((c) => c.name);
  assert.equal(rooms.length, 20, 'the places');
  const room = (n) => (rooms.includes(n) ? rooms.indexOf(n) : fail(`no place ${n}`));
  const steps = (a, b) => 5 * Math.round(Math.hypot(a % 5 - b % 5, Math.floor(a / 5) - Math.floor(b / 5)));
  // The meeting at the station once the errands are run and the note collected.
  let [clock, here] = [s.clock, room(hereName)];
  for (const [, where, minutes] of errands) [clock, here] = [clock + steps(here, room(where)) + minutes, room(where)];
  const meet = Math.max(clock + steps(here, room('СТАНЦИЯ')), pickup);
  if (s.clock + steps(room(hereName), room(errands[0][1])) >= pickup || meet + 5 >= train) fail('no plan in time');
  here = -1;
  const goTo = async (where) => {
    if (here === room(where)) return;
    if (here >= 0) await press('ДВИГАТЬСЯ');
    await press(where);
    expect('ЭТО ' + where);
    here = room(where);
  };
  let password = '';
  let code = '';
  const examine = async () => {
    await press('ИССЛЕДОВАТЬ');
    code = String(parseInt(rowAfter('НОМЕР НА КЛЮЧЕ - ', 0).slice(17), 10));
  };
  const two = (n) => String(n).padStart(2, '0');
  for (const [what, where] of errands) {
    await goTo(where);
    if (what === 'letter') {
      await press('ЧИТАТЬ');
      password = /ПАРОЛЬ -'(.*)'/.exec(s.rows.join('\n'))?.[1] || fail('no password');
    } else if (what === 'note') {
      await press('ЗАПИСКА');
      await press('СТАНЦИЯ');
      assert.match(ax.label(), /ВРЕМЯ/, 'the text box label');
      await moment('typed');
      await type(`${two(Math.floor(meet / 60))}.${two(meet % 60)}`);
      expect('ВСТРЕЧА В ТОЧКЕ СТАНЦИЯ');
    } else if (what === 'key') {
      await press('ИСКАТЬ');
      expect('ВЫ НАШЛИ КЛЮЧ');
      if (!has('ЗДЕСЬ ВРАЖЕСКИЙ ШПИОН')) await examine();
    } else {
      if (!code) await examine();
      await press('ОТКРЫТЬ');
      await type(code);
      expect('ЗАМОК ОТКРЫТ');
    }
  }
  await goTo('СТАНЦИЯ');
  for (let i = 0; !has('АГЕНТ ЖДЁТ ВАС'); ++i) {
    if (i > 40 || s.clock > meet + 15) fail('the agent did not come');
    await press('ЖДАТЬ');
    await type(String(Math.min(60, Math.max(5, meet - s.clock))));
  }
  await press('ГОВОРИТЬ');
  await press(password);
  expect('ПОЗДРАВЛЯЕМ !');
  const turns = parseInt(rowAfter('ВЫ ВЫИГРАЛИ, ИСПОЛЬЗУЯ ', 0).slice(23), 10);
  await press('Дальше');
  if (!has('ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?')) await press('Дальше');
  expect('ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?');
  assert.equal(s.choices.map((c) => c.name).sort().join(' '), 'РЕСТАРТ ФИНИШ', 'the buttons after the game');
  await moment('end');
  await press('ФИНИШ');
  await type('Y');
  await ax.until((t) => /окончена/.test(t.alert), 'alert that the game ended');
  await ax.close();
  return turns;
}

// A game won by a screen reader's player in a context of its own (no service worker, which would
// answer past the route that holds the data back), with axe-core at loading and at each moment of
// the game, and the mirror against the canvas where mirrorToo.
export async function playByAccessibility(context, url, activateKey, mirrorToo) {
  const page = await context.newPage();
  page.on('pageerror', (e) => console.log('  page error:', e.message));
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  await page.route('**/skellarine.data*', async (route) => {
    await held;
    await route.continue();
  });
  await page.goto(url);
  await page.waitForSelector('#loading:not([hidden])');
  await expectNoAxeViolations(page, 'loading');
  release();
  await page.waitForFunction(() => window.skellarine.state !== 'loading', null, { timeout: 30000 });
  await settle(page);
  const turns = await winByAccessibility(page, activateKey, async (moment) => {
    await expectNoAxeViolations(page, moment);
    if (mirrorToo) await expectMirror(page, moment);
  });
  await expectNoAxeViolations(page, 'the end of the game');
  console.log(`  won in ${turns} turns from the accessibility tree`);
}
