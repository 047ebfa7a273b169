// What the browser tests share: their options, the site served from a sub-path of 127.0.0.1, the
// screen read back from the canvas with the autoplayer's glyph matching (web_player from the
// native build), mouse and keyboard input in game pixels, Chromium, and the loop that runs them.
import { chromium } from 'playwright-core';
import { createRequire } from 'node:module';
import { spawn, execFileSync } from 'node:child_process';
import { createInterface } from 'node:readline';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

export const kWidth = 640;
export const kHeight = 480;

// The flags every Chromium of these tests runs with; the windowed one drops --headless.
export const kChromiumArgs = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

export function option(name, fallback) {
  const i = process.argv.indexOf('--' + name);
  return i > 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}

// The helpers of one test file, made once from its command line. name: its scratch folder's prefix;
// settleLimitMs: how long settle waits at most for a canvas that keeps changing.
export function browserTests({ name, settleLimitMs = 6000 }) {
  // The screen counts as settled once the canvas has not changed for this long.
  const kQuietMs = 400;
  const site = path.resolve(option('site', 'build/web/site'));
  const native = path.resolve(option('native', 'build/default'));
  const only = option('only', '');
  const webPlayer = path.join(native, 'web_player');
  const work = fs.mkdtempSync(path.join(os.tmpdir(), name + '-'));

  // ---- The server: the site under a sub-path, as a maintainer might publish it ----

  // Every request goes to log (its path below the sub-path); publish(dir) swaps the published folder.
  async function serve(subPath) {
    const root = path.join(work, 'root');
    const link = path.join(root, subPath);
    fs.mkdirSync(path.dirname(link), { recursive: true });
    fs.symlinkSync(site, link);
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', root],
      { stdio: ['ignore', 'pipe', 'pipe'] });
    const log = [];
    const prefix = `/${subPath}/`;
    createInterface({ input: server.stderr }).on('line', (line) => {
      const m = /"GET ([^ ]+) HTTP[^"]*" (\d+)/.exec(line);
      if (m) log.push({ path: decodeURIComponent(m[1].startsWith(prefix) ? m[1].slice(prefix.length) : m[1]), status: Number(m[2]) });
    });
    const port = await new Promise((resolve, reject) => {
      createInterface({ input: server.stdout }).on('line', (line) => {
        const m = /port (\d+)/.exec(line);
        if (m) resolve(Number(m[1]));
      });
      server.on('exit', () => reject(new Error('http.server ended')));
    });
    const publish = (dir) => {
      fs.unlinkSync(link);
      fs.symlinkSync(dir, link);
    };
    return { server, log, publish, url: `http://127.0.0.1:${port}${prefix}` };
  }

  // ---- Reading the screen ----

  async function canvasBytes(page) {
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
  async function dump(page) {
    const bytes = await canvasBytes(page);
    if (bytes.length !== kWidth * kHeight * 4) throw new Error(`the canvas is not ${kWidth} x ${kHeight}`);
    const file = path.join(work, `screen${dumps++ % 4}.rgba`);
    fs.writeFileSync(file, bytes);
    return file;
  }

  // The rows of the screen as the autoplayer reads them, and the row on which each text starts (0: none).
  async function read(page, ...texts) {
    const out = execFileSync(webPlayer, ['read', native, await dump(page), ...texts], { encoding: 'utf8' });
    const rows = {};
    const found = {};
    for (const line of out.split('\n')) {
      let m = /^row (\d+) (.*)$/.exec(line);
      if (m) rows[Number(m[1])] = m[2];
      m = /^find (\d+) (.*)$/.exec(line);
      if (m) found[m[2]] = Number(m[1]);
    }
    return { rows, found, text: Object.entries(rows).filter(([, t]) => t.trim()).map(([r, t]) => `${r}|${t}`).join('\n') };
  }

  async function canvasHash(page) {
    return page.evaluate(() => {
      const canvas = document.getElementById('canvas');
      if (canvas.width === 0) return 0;
      const d = new Uint32Array(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.buffer);
      let h = 0;
      for (let i = 0; i < d.length; ++i) h = (Math.imul(h, 31) + d[i]) | 0;
      return h;
    });
  }

  // Waits until the canvas has stopped changing (the game waits for input again).
  async function settle(page) {
    const start = Date.now();
    let last = await canvasHash(page);
    let quietSince = Date.now();
    while (Date.now() - start < settleLimitMs) {
      await page.waitForTimeout(50);
      const now = await canvasHash(page);
      if (now !== last) {
        last = now;
        quietSince = Date.now();
      } else if (Date.now() - quietSince >= kQuietMs) {
        return;
      }
    }
  }

  async function expectText(page, text, what) {
    const screen = await read(page, text);
    if (!screen.found[text]) throw new Error(`${what}: no row shows "${text}"; the screen:\n${screen.text}`);
    return screen.found[text];
  }

  async function expectNoText(page, text, what) {
    const screen = await read(page, text);
    if (screen.found[text]) throw new Error(`${what}: row ${screen.found[text]} still shows "${text}"`);
  }

  // ---- Input ----

  async function canvasBox(page) {
    return page.locator('#canvas').boundingBox();
  }

  // The page point of screen pixel (x, y), wherever the canvas is and however it is scaled.
  async function at(page, x, y) {
    const box = await canvasBox(page);
    return { x: box.x + ((x + 0.5) * box.width) / kWidth, y: box.y + ((y + 0.5) * box.height) / kHeight };
  }

  async function click(page, x, y) {
    const p = await at(page, x, y);
    await page.mouse.click(p.x, p.y);
    await settle(page);
  }

  async function keys(page, text) {
    for (const c of text) {
      if (c === '\r') await page.keyboard.press('Enter');
      else if (c === '\b') await page.keyboard.press('Backspace');
      else if (c === ' ') await page.keyboard.press('Space');
      else await page.keyboard.type(c);
    }
    await settle(page);
  }

  // The middle of a text row.
  const rowY = (r) => 14 * r - 7;

  // Opens the list whose prompt is on listRow and picks the entry reading word.
  async function pick(page, word, listRow) {
    await click(page, 320, rowY(listRow));
    const row = await expectText(page, ' ' + word, `the list for ${word}`);
    await click(page, 320, rowY(row));
  }

  // A command from the turn's prompt on row 34.
  const command = (page, word) => pick(page, word, 34);

  // Through the help pages and the briefing to the first turn's command prompt.
  async function toFirstTurn(page) {
    for (let i = 0; i < 8; ++i) {
      const screen = await read(page, 'ВАШИ ДЕЙСТВИЯ');
      if (screen.found['ВАШИ ДЕЙСТВИЯ']) return;
      await keys(page, '\r');
    }
    throw new Error('no command prompt after the help and the briefing');
  }

  // The mirror's rows, each on the canvas where it says, and no text on the canvas that it lacks.
  async function expectMirror(page, what) {
    await settle(page);
    const mirror = await page.$$eval('#rows p[data-row]', (ps) => ps.map((p) => ({ row: Number(p.dataset.row), text: p.textContent })));
    const screen = await read(page, ...mirror.map((m) => m.text));
    const once = (m) => mirror.filter((n) => n.text.trim() === m.text.trim()).length === 1;
    const wrong = mirror.filter((m) => !screen.found[m.text] || (once(m) && screen.found[m.text] !== m.row));
    const onCanvas = Object.entries(screen.rows).filter(([, text]) => text.replace(/[~ ]/g, '')).map(([r]) => r).join();
    if (wrong.length || onCanvas !== mirror.map((m) => m.row).join()) {
      throw new Error(`${what}: the mirror ${JSON.stringify(mirror)}\nthe canvas:\n${screen.text}`);
    }
  }

  // A game won by a screen reader's player (winByAccessibility) in a context of its own, with
  // axe-core at loading (the data held back a moment) and at each moment of the game, and the
  // mirror against the canvas where mirrorToo.
  async function playByAccessibility(context, url, activateKey, mirrorToo) {
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

  // ---- The browser ----

  // A browser with a profile of its own (a service worker and its cache live there).
  async function launch(options = {}) {
    const profile = fs.mkdtempSync(path.join(work, 'profile-'));
    return chromium.launchPersistentContext(profile, {
      executablePath: '/usr/bin/chromium',
      headless: true,
      viewport: { width: 1000, height: 760 },
      ...options,
      args: kChromiumArgs,
    });
  }

  // Loads the page and waits until the game runs, without waiting for its first screen.
  async function startGame(page, url) {
    page.on('pageerror', (e) => console.log('  page error:', e.message));
    watchPolicy(page);
    await page.goto(url);
    await page.waitForFunction(() => window.skellarine && window.skellarine.state !== 'loading', null, { timeout: 30000 });
    const state = await page.evaluate(() => window.skellarine.state);
    if (state !== 'running') throw new Error(`the game did not start: ${state} ${await page.evaluate(() => window.skellarine.error)}`);
  }

  // Reloads the page (how: 'reload'), or goes to another page of the site and back ('away'), and
  // wants the game back at the same screen, pixel for pixel. A page the browser kept whole (its
  // back-forward cache) comes back as it was; a new one must have resumed from the tab's journal.
  // screen: the one wanted, when it is not the one shown now.
  async function expectResumed(page, how, what, screen = null) {
    const before = screen || (await canvasBytes(page));
    // The wait as the game tells it, but for whether it was resumed.
    const waitNow = () => page.evaluate(() => JSON.stringify({ ...window.skellarine.wait, resumed: '' }));
    const wait = await waitNow();
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
    const resumed = await page.evaluate(() => window.skellarine.resumed);
    if (!kept && resumed !== 'yes') throw new Error(`${what}: the game did not resume (${resumed})`);
    const after = await canvasBytes(page);
    let differ = 0;
    for (let i = 0; i < after.length; i += 4) if (after.readUInt32LE(i) !== before.readUInt32LE(i)) ++differ;
    if (differ) throw new Error(`${what}: ${differ} pixels differ after the resume; the screen:\n${(await read(page)).text}`);
    if ((await waitNow()) !== wait) throw new Error(`${what}: another wait after the resume`);
    return kept ? 'kept' : 'resumed';
  }

  async function openGame(context, url, pageOptions) {
    const page = await context.newPage(pageOptions);
    await startGame(page, url);
    await settle(page);
    return page;
  }

  // ---- Running ----

  // Runs the tests that --only names (all without it), one line each; call(test) starts one.
  async function runTests(tests, call) {
    let failed = 0;
    let passed = 0;
    for (const [name, test] of Object.entries(tests)) {
      if (only && !only.split(',').includes(name)) continue;
      const started = Date.now();
      try {
        await call(test);
        ++passed;
        console.log(`ok   ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
      } catch (error) {
        ++failed;
        console.log(`FAIL ${name} (${((Date.now() - started) / 1000).toFixed(1)} s): ${error.message}`);
      }
    }
    return { passed, failed };
  }

  const removeWork = () => fs.rmSync(work, { recursive: true, force: true });

  return {
    site, native, only, webPlayer, work, serve, canvasBytes, dump, read, canvasHash, settle, expectText, expectNoText,
    canvasBox, at, click, keys, rowY, pick, command, toFirstTurn, launch, startGame, expectResumed, openGame, runTests,
    removeWork, expectMirror, playByAccessibility,
  };
}

// What the page's content policy refused, as the browser's console says it.
const refusals = new WeakMap();
function watchPolicy(page) {
  if (refusals.has(page)) return;
  const list = [];
  refusals.set(page, list);
  page.on('console', (message) => {
    if (/Content Security Policy/.test(message.text())) list.push(message.text());
  });
}

export function policyRefusals(page) {
  return refusals.get(page) || [];
}

// The last line of every run, and its exit status.
export function finish({ passed, failed }) {
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

// The page's clock when the first help page is drawn (its blue fill), for the benchmarks.
export function firstHelpDrawn(page) {
  return page.evaluate(() => new Promise((resolve) => {
    const canvas = document.getElementById('canvas');
    const look = () => {
      if (window.skellarine && window.skellarine.state === 'running') {
        const p = canvas.getContext('2d').getImageData(4, 4, 1, 1).data;
        if (p[0] === 0 && p[1] === 0 && p[2] === 255) return resolve(performance.now());
      }
      requestAnimationFrame(look);
    };
    look();
  }));
}

// ---- Accessibility ----

const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// axe-core's findings on the page as it is now; throws on any violation.
export async function expectNoAxeViolations(page, what) {
  // Evaluated by the test, not as a script tag: the page's content policy refuses inline scripts.
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axeSource);
  const found = await page.evaluate(async () => (await window.axe.run(document)).violations
    .map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`));
  if (found.length) throw new Error(`axe at ${what}: ${found.join('; ')}`);
}

// The page as a screen reader has it (Chromium's accessibility tree over CDP), and a player's
// actions on its nodes found by role and name: focus, then Enter or Space, or text typed and Enter.
export async function accessibilityTree(page, activateKey) {
  const cdp = await page.context().newCDPSession(page);
  const keys = { Enter: { code: 'Enter', windowsVirtualKeyCode: 13, text: '\r' }, ' ': { code: 'Space', windowsVirtualKeyCode: 32, text: ' ' } };
  const press = async (key) => {
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key, ...keys[key] });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key, code: keys[key].code, windowsVirtualKeyCode: keys[key].windowsVirtualKeyCode });
  };
  async function look() {
    const { nodes } = await cdp.send('Accessibility.getFullAXTree');
    const byId = new Map(nodes.map((n) => [n.nodeId, n]));
    const role = (n) => n.role && n.role.value;
    const name = (n) => (n.name && n.name.value) || '';
    const shown = nodes.filter((n) => !n.ignored);
    const under = (n, test, out = []) => {
      for (const id of n.childIds || []) {
        const c = byId.get(id);
        if (!c) continue;
        if (!c.ignored && test(c)) out.push(c);
        else under(c, test, out);
      }
      return out;
    };
    const find = (r, nm) => shown.find((n) => role(n) === r && (nm === undefined || name(n) === nm));
    const texts = (n) => (n ? under(n, (c) => role(c) === 'StaticText').map((c) => name(c).trim()) : []);
    const choices = find('group', 'Выбор');
    const clock = shown.map(name).find((t) => /^Время \d\d:\d\d$/.test(t));
    return {
      rows: texts(find('region', 'Сейчас на экране')),
      clock: clock ? Number(clock.slice(6, 8)) * 60 + Number(clock.slice(9, 11)) : -1,
      choices: choices ? under(choices, (c) => role(c) === 'button').map((c) => ({ name: name(c), id: c.backendDOMNodeId })) : [],
      buttons: shown.filter((n) => role(n) === 'button').map((n) => ({ name: name(n), id: n.backendDOMNodeId })),
      textbox: find('textbox'),
      alert: texts(find('alert')).join(' '),
    };
  }
  const key = (s) => JSON.stringify([s.rows, s.clock, s.choices.map((c) => c.name), s.textbox && name(s.textbox), s.alert]);
  const name = (n) => (n.name && n.name.value) || '';
  let last = await look();
  // Waits until the tree differs from what it was before the action and then holds still.
  async function after(act) {
    const before = key(last);
    await act();
    const start = Date.now();
    let seen = before;
    let since = Date.now();
    for (;;) {
      await new Promise((resolve) => setTimeout(resolve, 100));
      const now = await look();
      const k = key(now);
      if (k !== seen) {
        seen = k;
        since = Date.now();
      } else if (k !== before && Date.now() - since >= 400) {
        last = now;
        return now;
      }
      if (Date.now() - start > 15000) throw new Error(`nothing changed after the action; the rows:\n${now.rows.join('\n')}`);
    }
  }
  return {
    look: () => last,
    // The button named so (among the list's entries first): focused, then the key.
    press: (buttonName) => after(async () => {
      const b = last.choices.find((c) => c.name === buttonName) || last.buttons.find((c) => c.name === buttonName);
      if (!b) throw new Error(`no button "${buttonName}"; the buttons: ${last.buttons.map((c) => c.name).join(', ')}`);
      await cdp.send('DOM.focus', { backendNodeId: b.id });
      await press(activateKey);
    }),
    type: (text) => after(async () => {
      if (!last.textbox) throw new Error(`no text box for "${text}"; the rows:\n${last.rows.join('\n')}`);
      await cdp.send('DOM.focus', { backendNodeId: last.textbox.backendDOMNodeId });
      await cdp.send('Input.insertText', { text });
      await press('Enter');
    }),
    // Waits for what the page says without being asked (the end of the game).
    until: async (test, what) => {
      for (const start = Date.now(); !test(last = await look());) {
        if (Date.now() - start > 15000) throw new Error(`no ${what}; the rows:\n${last.rows.join('\n')}`);
        await new Promise((resolve) => setTimeout(resolve, 100));
      }
      return last;
    },
    label: () => (last.textbox ? name(last.textbox) : ''),
    close: () => cdp.detach(),
  };
}

// A whole game won from the accessibility tree alone: the briefing read off the screen's text, the
// errands planned as a careful player would (the city's grid, 5 minutes a step), answered with the
// page's buttons and text box. moment(name) is called at the help, the briefing, a turn with a list,
// a typed question and the question after the game.
export async function winByAccessibility(page, activateKey, moment = async () => {}) {
  const ax = await accessibilityTree(page, activateKey);
  let s = ax.look();
  const fail = (why) => { throw new Error(`${why}; the rows:\n${s.rows.join('\n')}`); };
  const rowAfter = (prefix, k = 1) => {
    const i = s.rows.findIndex((r) => r.startsWith(prefix));
    if (i < 0 || i + k >= s.rows.length) fail(`no row after "${prefix}"`);
    return s.rows[i + k];
  };
  const has = (prefix) => s.rows.some((r) => r.startsWith(prefix));
  const expect = async (prefix) => { if (!has(prefix)) fail(`no row "${prefix}"`); };
  const press = async (word) => { s = await ax.press(word); };
  const type = async (text) => { s = await ax.type(text); };
  await moment('help');
  for (let i = 0; i < 12 && !has('ПРОЧИТАЙТЕ ПИСЬМО НА'); ++i) await press('Дальше');
  await moment('briefing');
  const place = (row) => row.replace(/^ОБЪЕКТЕ /, '');
  const letter = place(rowAfter('ПРОЧИТАЙТЕ ПИСЬМО НА'));
  const note = place(rowAfter('ВАШЕ СООБЩЕНИЕ ЗАБЕРУТ НА'));
  const pickup = 60 * parseInt(rowAfter('ВАШЕ СООБЩЕНИЕ ЗАБЕРУТ НА', 2).replace(/^В /, ''), 10);
  const train = 60 * parseInt(rowAfter('ПОСЛЕДНИЙ ПОЕЗД УХОДИТ').replace(/^В /, ''), 10);
  await press('Дальше');
  await moment('list');
  await press('ХИТРИТЬ');
  await expect('DEBUG IS ON');
  await press('ПОМОЩЬ');
  const keyPlace = s.rows.find((r) => r.startsWith('KEY=')).slice(4);
  await press('Дальше');
  const hereName = rowAfter('ЭТО ', 0).slice(4);
  await press('ДВИГАТЬСЯ');
  const rooms = s.choices.map((c) => c.name);
  if (rooms.length !== 20) fail(`${rooms.length} places`);
  const room = (n) => { const i = rooms.indexOf(n); if (i < 0) fail(`no place ${n}`); return i; };
  const station = room('СТАНЦИЯ');
  const steps = (a, b) => 5 * Math.round(Math.hypot(a % 5 - b % 5, Math.floor(a / 5) - Math.floor(b / 5)));
  const tasks = [['letter', room(letter), 0], ['note', room(note), 5], ['key', room(keyPlace), 15], ['chest', room('ПОРТ'), 5]];
  let plan = null;
  let meet = Infinity;
  const orders = (rest) => (rest.length ? rest.flatMap((t, i) => orders([...rest.slice(0, i), ...rest.slice(i + 1)]).map((o) => [t, ...o])) : [[]]);
  for (const order of orders(tasks)) {
    if (order.findIndex((t) => t[0] === 'key') > order.findIndex((t) => t[0] === 'chest')) continue;
    let clock = s.clock;
    let at = room(hereName);
    let inTime = true;
    for (const [what, where, minutes] of order) {
      clock += steps(at, where);
      at = where;
      if (what === 'note' && clock >= pickup) inTime = false;
      clock += minutes;
    }
    const end = Math.max(clock + steps(at, station), pickup);
    if (inTime && end < meet) [plan, meet] = [order, end];
  }
  if (!plan || meet + 5 >= train) fail('no plan in time');
  let here = -1;
  const goTo = async (where) => {
    if (here === where) return;
    if (here >= 0) await press('ДВИГАТЬСЯ');
    await press(rooms[where]);
    await expect('ЭТО ' + rooms[where]);
    here = where;
  };
  let password = '';
  let code = '';
  const examine = async () => {
    await press('ИССЛЕДОВАТЬ');
    code = String(parseInt(rowAfter('НОМЕР НА КЛЮЧЕ - ', 0).slice(17), 10));
  };
  const two = (n) => String(n).padStart(2, '0');
  for (const [what, where] of plan) {
    await goTo(where);
    if (what === 'letter') {
      await press('ЧИТАТЬ');
      password = /ПАРОЛЬ -'(.*)'/.exec(s.rows.join('\n'))?.[1] || fail('no password');
    } else if (what === 'note') {
      await press('ЗАПИСКА');
      await press('СТАНЦИЯ');
      if (!/ВРЕМЯ/.test(ax.label())) fail(`the text box is labelled "${ax.label()}"`);
      await moment('typed');
      await type(`${two(Math.floor(meet / 60))}.${two(meet % 60)}`);
      await expect('ВСТРЕЧА В ТОЧКЕ СТАНЦИЯ');
    } else if (what === 'key') {
      await press('ИСКАТЬ');
      await expect('ВЫ НАШЛИ КЛЮЧ');
      if (!has('ЗДЕСЬ ВРАЖЕСКИЙ ШПИОН')) await examine();
    } else {
      if (!code) await examine();
      await press('ОТКРЫТЬ');
      await type(code);
      await expect('ЗАМОК ОТКРЫТ');
    }
  }
  await goTo(station);
  for (let i = 0; !has('АГЕНТ ЖДЁТ ВАС'); ++i) {
    if (i > 40 || s.clock > meet + 15) fail('the agent did not come');
    await press('ЖДАТЬ');
    await type(String(Math.min(60, Math.max(5, meet - s.clock))));
  }
  await press('ГОВОРИТЬ');
  await press(password);
  await expect('ПОЗДРАВЛЯЕМ !');
  const turns = parseInt(rowAfter('ВЫ ВЫИГРАЛИ, ИСПОЛЬЗУЯ ', 0).slice(23), 10);
  await press('Дальше');
  if (!has('ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?')) await press('Дальше');
  await expect('ЧТО ДАЛЬШЕ: СТАРТ ИЛИ ФИНИШ?');
  const offered = s.choices.map((c) => c.name).sort().join(' ');
  if (offered !== 'РЕСТАРТ ФИНИШ') fail(`after the game the buttons offer ${offered}`);
  await moment('end');
  await press('ФИНИШ');
  await type('Y');
  s = await ax.until((t) => /окончена/.test(t.alert), 'alert that the game ended');
  await ax.close();
  return turns;
}

// Chromium without a profile of its own, for pages in contexts of their own.
export function launchBrowser() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, args: kChromiumArgs });
}
