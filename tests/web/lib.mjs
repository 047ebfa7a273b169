// What the browser tests share: their options, the site served from a sub-path of 127.0.0.1, the
// screen read back from the canvas with the autoplayer's glyph matching (web_player from the
// native build), mouse and keyboard input in game pixels, Chromium, and the loop that runs them.
import { chromium } from 'playwright-core';
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
    removeWork,
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

// Chromium without a profile of its own, for pages in contexts of their own.
export function launchBrowser() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', headless: true, args: kChromiumArgs });
}
