// Browser tests of the web site as it is published: what is downloaded before the first help page,
// pictures fetched when the game needs them, play without a network after one visit, a new build
// that replaces the kept one, and pictures that the server lacks or cannot send. The bare picture
// (the right button held) is compared pixel for pixel with the native runner's screenshots.
//
//   node site_test.mjs --site build/web/site --native build/default [--only NAME,...]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import crypto from 'node:crypto';
import { browserTests, option, finish, firstHelpDrawn, policyRefusals, kWidth, kHeight } from './lib.mjs';

// Its screens may wait for pictures from the server.
const t = browserTests({ name: 'skellarine-site', settleLimitMs: 8000 });
const { site, native, work, canvasBytes, read, canvasHash, settle, expectText, at, click, keys, rowY, pick,
  command, toFirstTurn, launch, openGame, expectResumed } = t;

// ---- The screen against the native runner's ----

// The RGB pixels of a PNG written by the native runner (8-bit RGB or RGBA, not interlaced).
function pngPixels(file) {
  const bytes = fs.readFileSync(file);
  let at = 8;
  let width = 0;
  let height = 0;
  let channels = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || body[12] !== 0 || (body[9] !== 2 && body[9] !== 6)) throw new Error(file + ': not 8-bit RGB');
      channels = body[9] === 6 ? 4 : 3;
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const out = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? line[x - channels] : 0;
      const b = previous[x];
      const c = x >= channels ? previous[x - channels] : 0;
      let add = 0;
      if (filter === 1) add = a;
      else if (filter === 2) add = b;
      else if (filter === 3) add = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c;
        const pa = Math.abs(p - a);
        const pb = Math.abs(p - b);
        const pc = Math.abs(p - c);
        add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[x] = (line[x] + add) & 0xff;
    }
    for (let x = 0; x < width; ++x) line.copy(out, (y * width + x) * 3, x * channels, x * channels + 3);
    previous = line;
  }
  return out;
}

// The browser's canvas against a native screenshot: the number of pixels that differ.
async function differingPixels(page, png) {
  const want = pngPixels(png);
  const got = await canvasBytes(page);
  let differ = 0;
  for (let i = 0; i < kWidth * kHeight; ++i) {
    if (got[4 * i] !== want[3 * i] || got[4 * i + 1] !== want[3 * i + 1] || got[4 * i + 2] !== want[3 * i + 2]) ++differ;
  }
  return differ;
}

// ---- Native screenshots of the same screens ----

// Runs a script on the native runner (from the native build folder) and returns its folder of shots.
function nativeShots(name, lines) {
  const dir = path.join(work, 'native-' + name);
  fs.mkdirSync(dir);
  const script = path.join(dir, 'play.script');
  fs.writeFileSync(script, lines.map((l) => l.replace('@', dir + '/')).join('\n') + '\n');
  execFileSync(path.join(native, 'skellarine-script'), [script], { cwd: native, encoding: 'utf8' });
  return dir;
}

// ---- Input ----

async function moveTo(page, place) {
  await pick(page, 'ДВИГАТЬСЯ', 34);
  await pick(page, place, 33);
}

// The bare picture while the right button is held, compared with a native shot; then let go.
async function expectPicture(page, png, what) {
  const p = await at(page, 320, 200);
  await page.mouse.move(p.x, p.y);
  await page.mouse.down({ button: 'right' });
  await settle(page);
  const differ = await differingPixels(page, png);
  await page.mouse.up({ button: 'right' });
  await settle(page);
  if (differ !== 0) throw new Error(`${what}: ${differ} pixels differ from the native runner's`);
}

// ---- The service worker's cache ----

// The site's files that the service worker keeps (the compressed copies in place of the plain files).
function keptFiles(dir) {
  const out = [];
  const walk = (sub) => {
    for (const entry of fs.readdirSync(path.join(dir, sub), { withFileTypes: true })) {
      const name = sub ? sub + '/' + entry.name : entry.name;
      if (entry.isDirectory()) walk(name);
      else out.push(name);
    }
  };
  walk('');
  return out.filter((f) => f !== 'sw.js' && !fs.existsSync(path.join(dir, f + '.gz'))).sort();
}

function buildName(dir) {
  const page = fs.readFileSync(path.join(dir, 'index.html'), 'utf8');
  return JSON.parse(/<script id="build" type="application\/json">([\s\S]*?)<\/script>/.exec(page)[1]).build;
}

// Waits until the service worker's cache of the build holds every file of the site; returns its name.
async function waitForKeptSite(page, dir) {
  const want = keptFiles(dir).length;
  const build = buildName(dir);
  const deadline = Date.now() + 30000;
  for (;;) {
    const kept = await page.evaluate(async () => {
      const out = {};
      for (const name of await caches.keys()) {
        // Not a file of the site: the worker's list of what the cache holds.
        out[name] = (await (await caches.open(name)).keys()).filter((r) => !r.url.endsWith('?sums')).length;
      }
      return out;
    });
    const full = Object.entries(kept).find(([name, count]) => name.endsWith(' ' + build) && count === want);
    if (full) return full[0];
    if (Date.now() > deadline) throw new Error(`the site was not kept whole: ${JSON.stringify(kept)} of ${want}`);
    await page.waitForTimeout(250);
  }
}

// ---- The tests ----

const tests = {};
let server;

tests.first_help_without_pictures = async () => {
  // No service worker here: every download shows in the server's log.
  const context = await launch({ serviceWorkers: 'block' });
  try {
    server.log.length = 0;
    const page = await openGame(context, server.url);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page');
    const before = server.log.map((e) => e.path);
    const pictures = before.filter((p) => p.startsWith('data/'));
    if (pictures.length > 0) throw new Error('pictures downloaded before the first help page: ' + pictures.join(' '));
    for (const f of ['skellarine.wasm.gz', 'skellarine.js', 'skellarine.data.gz']) {
      if (before.filter((p) => p === f).length !== 1) throw new Error(`${f} downloaded ${before.filter((p) => p === f).length} times`);
    }
    const plain = before.filter((p) => /^skellarine\.(wasm|data)$/.test(p));
    if (plain.length > 0) throw new Error('plain files downloaded beside the compressed copies: ' + plain.join(' '));
    // The briefing and a few turns: each picture comes over the network at most once.
    await toFirstTurn(page);
    await moveTo(page, 'ПОРТ');
    await moveTo(page, 'АРКАДА');
    await expectText(page, 'ЭТО АРКАДА', 'back at the arcade');
    const all = keptFiles(site).filter((f) => f.startsWith('data/')).length;
    const counts = {};
    for (let waited = 0; waited < 20000 && Object.keys(counts).length < all; waited += 500) {
      await page.waitForTimeout(500);
      for (const key of Object.keys(counts)) delete counts[key];
      for (const e of server.log) if (e.path.startsWith('data/')) counts[e.path] = (counts[e.path] || 0) + 1;
    }
    const twice = Object.entries(counts).filter(([, n]) => n > 1);
    if (twice.length > 0) throw new Error('pictures downloaded more than once: ' + JSON.stringify(twice));
    if (!counts['data/ARCADE/ARCADE1.jpg'] || !counts['data/PORT/PORT1.jpg']) throw new Error('the pictures shown were not downloaded: ' + JSON.stringify(counts));
    // In the background the rest follow.
    if (Object.keys(counts).length !== all) throw new Error(`${Object.keys(counts).length} of ${all} pictures fetched in the background`);
    await page.close();
  } finally {
    await context.close();
  }
};

tests.offline_after_one_visit = async () => {
  const shots = nativeShots('offline', ['timer 100', 'key enter', 'key enter', 'key enter', 'key enter', 'key enter',
    'key enter', 'rclick-hold 320 200', 'screenshot @arcade.png', 'release', 'pick ДВИГАТЬСЯ', 'pick ПОРТ',
    'rclick-hold 320 200', 'screenshot @port.png', 'release', 'pick ДВИГАТЬСЯ', 'pick РАТУША',
    'rclick-hold 320 200', 'screenshot @townhall.png', 'release']);
  const context = await launch();
  try {
    let page = await openGame(context, server.url);
    await waitForKeptSite(page, site);
    await page.close();
    await context.setOffline(true);
    server.log.length = 0;
    page = await openGame(context, server.url);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page without a network');
    await toFirstTurn(page);
    await expectPicture(page, path.join(shots, 'arcade.png'), 'the arcade without a network');
    await moveTo(page, 'ПОРТ');
    await expectText(page, 'ЭТО ПОРТ', 'the port without a network');
    await expectPicture(page, path.join(shots, 'port.png'), 'the port without a network');
    await moveTo(page, 'РАТУША');
    await expectPicture(page, path.join(shots, 'townhall.png'), 'the town hall without a network');
    if (await page.evaluate(() => window.skellarine.offline)) throw new Error('the page says that the network is down');
    // The browser itself looks for a new worker, past the page's offline state.
    const asked = server.log.map((e) => e.path).filter((p) => p !== 'sw.js');
    if (asked.length > 0) throw new Error('the server was asked while offline: ' + asked.join(' '));
    await page.close();
  } finally {
    await context.close();
  }
};

tests.new_build_replaces_the_kept_one = async () => {
  // Build B: another page style and another arcade picture, and the build's name changed with them.
  const b = path.join(work, 'site-b');
  fs.cpSync(site, b, { recursive: true, dereference: true });
  const hashA = buildName(site);
  const hashB = [...hashA].reverse().join('');
  for (const f of ['index.html', 'sw.js']) {
    const file = path.join(b, f);
    fs.writeFileSync(file, fs.readFileSync(file, 'utf8').split(hashA).join(hashB));
  }
  fs.appendFileSync(path.join(b, 'page.css'), '/* build B */\n');
  fs.copyFileSync(path.join(b, 'data/ARCADE/ARCADE2.jpg'), path.join(b, 'data/ARCADE/ARCADE1.jpg'));
  // The worker's list of the files' contents, as the build writes it.
  let worker = fs.readFileSync(path.join(b, 'sw.js'), 'utf8');
  for (const f of ['page.css', 'data/ARCADE/ARCADE1.jpg']) {
    const sum = crypto.createHash('sha256').update(fs.readFileSync(path.join(b, f))).digest('hex').slice(0, 16);
    worker = worker.replace(new RegExp(`\\["${f}", "[0-9a-f]+"\\]`), `["${f}", "${sum}"]`);
  }
  fs.writeFileSync(path.join(b, 'sw.js'), worker);
  const context = await launch();
  try {
    server.publish(site);
    let page = await openGame(context, server.url);
    const cacheA = await waitForKeptSite(page, site);
    await page.close();
    server.publish(b);
    server.log.length = 0;
    // The next start still plays A, whole, while B's worker fills its cache.
    page = await openGame(context, server.url);
    if ((await page.evaluate(() => window.skellarine.build)) !== hashA) throw new Error('the start after the release mixed in B');
    const cacheB = await waitForKeptSite(page, b);
    if (cacheB === cacheA || !cacheB.endsWith(hashB)) throw new Error(`B's cache is ${cacheB}`);
    // Only what changed came again; the rest was taken over from A's cache.
    const fetched = server.log.map((e) => e.path);
    if (!fetched.includes('data/ARCADE/ARCADE1.jpg') || !fetched.includes('page.css')) throw new Error('the changed files were not fetched: ' + fetched.join(' '));
    if (fetched.includes('data/PORT/PORT1.jpg') || fetched.includes('skellarine.wasm.gz')) throw new Error('unchanged files fetched again: ' + fetched.join(' '));
    await page.close();
    // The start after that is B's, and A's cache is gone.
    page = await openGame(context, server.url);
    if ((await page.evaluate(() => window.skellarine.build)) !== hashB) throw new Error('the second start after the release is not B');
    const check = await page.evaluate(async (files) => {
      const names = await caches.keys();
      const out = { names, bytes: {} };
      const cache = await caches.open(names[0]);
      for (const f of files) {
        const r = await cache.match(new URL(f, location.href).href);
        out.bytes[f] = r ? Array.from(new Uint8Array(await r.arrayBuffer())).join(',') : null;
      }
      return out;
    }, ['page.css', 'data/ARCADE/ARCADE1.jpg', 'index.html']);
    if (check.names.length !== 1 || check.names[0] !== cacheB) throw new Error('the caches after the release: ' + check.names.join(' | '));
    for (const [f, bytes] of Object.entries(check.bytes)) {
      if (bytes !== Array.from(fs.readFileSync(path.join(b, f))).join(',')) throw new Error(`the kept ${f} is not B's`);
    }
    await toFirstTurn(page);
    await expectText(page, 'ЭТО АРКАДА', 'the first turn of build B');
    await page.close();
  } finally {
    server.publish(site);
    await context.close();
  }
};

tests.missing_picture = async () => {
  // The server without the port's picture: as the native game with that file missing.
  const missing = path.join(work, 'missing');
  fs.cpSync(path.join(native, 'data'), path.join(missing, 'data'), { recursive: true });
  fs.rmSync(path.join(missing, 'data/PORT/PORT1.jpg'));
  const shots = nativeShots('missing', [`exedir ${missing}`, 'timer 100', 'key enter', 'key enter', 'key enter',
    'key enter', 'key enter', 'key enter', 'pick ДВИГАТЬСЯ', 'pick ПОРТ', 'expect-row 30 ЭТО ПОРТ',
    'rclick-hold 320 200', 'screenshot @port.png', 'release']);
  const context = await launch({ serviceWorkers: 'block' });
  try {
    const page = await context.newPage();
    await page.route('**/data/PORT/PORT1.jpg', (route) => route.fulfill({ status: 404, body: 'no such file' }));
    await page.goto(server.url);
    await page.waitForFunction(() => window.skellarine.state === 'running', null, { timeout: 30000 });
    await settle(page);
    await toFirstTurn(page);
    await moveTo(page, 'ПОРТ');
    await expectText(page, 'ЭТО ПОРТ', 'the port without its picture');
    await expectPicture(page, path.join(shots, 'port.png'), 'the port without its picture');
    if (await page.evaluate(() => window.skellarine.offline)) throw new Error('a missing picture was taken for a network fault');
    await moveTo(page, 'АРКАДА');
    await expectText(page, 'ЭТО АРКАДА', 'the game after the missing picture');
    await page.close();
  } finally {
    await context.close();
  }
};

tests.network_cut = async () => {
  const shots = nativeShots('cut', ['timer 100', 'key enter', 'key enter', 'key enter', 'key enter', 'key enter',
    'key enter', 'pick ДВИГАТЬСЯ', 'pick ПОРТ', 'rclick-hold 320 200', 'screenshot @port.png', 'release']);
  const context = await launch({ serviceWorkers: 'block' });
  try {
    const page = await context.newPage();
    // Nothing but what the test lets through: the background fetching must not get ahead of it.
    const allowed = new Set();
    await page.route('**/data/**', (route) => {
      const url = route.request().url();
      if ([...allowed].some((a) => url.endsWith(a))) route.continue();
      else route.abort('internetdisconnected');
    });
    await page.goto(server.url);
    await page.waitForFunction(() => window.skellarine.state === 'running', null, { timeout: 30000 });
    await settle(page);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the help with the network down');
    // The briefing needs the arcade's picture: the page says that the network is down, the game
    // waits, and the Enter typed meanwhile is kept for after the briefing.
    for (let i = 0; i < 5; ++i) await keys(page, '\r');
    await page.waitForFunction(() => window.skellarine.offline === true, null, { timeout: 10000 });
    if (await page.locator('#offline').isHidden()) throw new Error('no notice while the network is down');
    const notice = await page.locator('#offline').textContent();
    if (!notice.startsWith('Нет связи с сервером…')) throw new Error('the notice reads: ' + notice);
    await page.keyboard.press('Enter');
    await page.waitForTimeout(1000);
    allowed.add('/data/ARCADE/ARCADE1.jpg');
    await page.waitForFunction(() => window.skellarine.offline === false, null, { timeout: 10000 });
    await settle(page);
    await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the first turn after the network came back (the Enter typed while it was down)');
    // Cut during a turn: the move waits for the port's picture, then goes on with it.
    await pick(page, 'ДВИГАТЬСЯ', 34);
    await pick(page, 'ПОРТ', 33);
    await page.waitForFunction(() => window.skellarine.offline === true, null, { timeout: 10000 });
    allowed.add('/data/PORT/PORT1.jpg');
    await page.waitForFunction(() => window.skellarine.offline === false, null, { timeout: 10000 });
    await settle(page);
    await expectText(page, 'ЭТО ПОРТ', 'the port after the network came back');
    await expectPicture(page, path.join(shots, 'port.png'), 'the port after the network came back');
    if ((await page.evaluate(() => window.skellarine.state)) !== 'running') throw new Error('the game stopped');
    await page.close();
  } finally {
    await context.close();
  }
};

tests.other_hosts = async () => {
  // A host that compresses on its own (the copies arrive unpacked already), and one that lacks the
  // copies: the game starts either way and the progress bar ends at its total.
  const hosts = {
    compressing: (route, file) => route.fulfill({ status: 200, body: fs.readFileSync(file), headers: { 'Content-Encoding': 'gzip', 'Content-Type': 'application/octet-stream' } }),
    without_copies: (route) => route.fulfill({ status: 404, body: 'no such file' }),
  };
  for (const [name, answer] of Object.entries(hosts)) {
    const context = await launch({ serviceWorkers: 'block' });
    try {
      const page = await context.newPage();
      await page.route('**/*.gz', (route) => answer(route, path.join(site, new URL(route.request().url()).pathname.split('/').pop())));
      await page.goto(server.url);
      await page.waitForFunction(() => window.skellarine.state !== 'loading', null, { timeout: 30000 });
      if ((await page.evaluate(() => window.skellarine.state)) !== 'running') throw new Error(`${name}: ${await page.evaluate(() => window.skellarine.error)}`);
      await settle(page);
      await expectText(page, 'QUINTREL - SKELLARINE', `the first help page from the ${name} host`);
      const shown = await page.locator('#loading-size').textContent();
      const m = /^(\d+,\d) из (\d+,\d) МБ$/.exec(shown);
      if (!m || m[1] !== m[2]) throw new Error(`${name}: the progress ended at "${shown}"`);
      await page.close();
    } finally {
      await context.close();
    }
  }
};

tests.retry_first_download = async () => {
  const context = await launch({ serviceWorkers: 'block' });
  try {
    const page = await context.newPage();
    await page.route('**/skellarine.wasm*', (route) => route.abort('internetdisconnected'));
    await page.goto(server.url);
    await page.waitForFunction(() => window.skellarine.state === 'error', null, { timeout: 20000 });
    const text = await page.locator('#message-text').textContent();
    if (!/Нет связи с сервером/.test(text) || (await page.locator('#retry').isHidden())) throw new Error('no "Повторить" after a failed download: ' + text);
    await page.unroute('**/skellarine.wasm*');
    await page.locator('#retry').click();
    await page.waitForFunction(() => window.skellarine.state === 'running', null, { timeout: 30000 });
    await settle(page);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page after "Повторить"');
    await page.close();
  } finally {
    await context.close();
  }
};

tests.first_paint = async () => {
  // The layout is final before any script runs: the screen's box and the panel's place as page.css
  // alone lays them out (the page's scripts refused) are where the running game has them, nothing
  // shifted meanwhile, and the content policy refused nothing.
  const profiles = {
    phone: { viewport: { width: 844, height: 390 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
    portrait: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
    laptop: { viewport: { width: 1366, height: 768 } },
  };
  const boxes = (page) => page.evaluate(() => ['#frame', '#panel'].map((s) => {
    const b = document.querySelector(s).getBoundingClientRect();
    return [b.x, b.y, b.width, b.height].map(Math.round).join(',');
  }).join(' '));
  for (const [name, profile] of Object.entries(profiles)) {
    const context = await launch({ serviceWorkers: 'block', ...profile });
    try {
      const bare = await context.newPage();
      await bare.route('**/page.js', (route) => route.abort());
      await bare.goto(server.url);
      const css = await boxes(bare);
      const poster = await bare.evaluate(() => {
        const img = document.querySelector('#loading img');
        return img.complete && img.naturalWidth > 0 && img.getBoundingClientRect().width > 100;
      });
      if (!poster) throw new Error(`${name}: no poster while loading`);
      await bare.close();
      await context.addInitScript(() => {
        window.shifts = [];
        new PerformanceObserver((list) => {
          for (const e of list.getEntries()) window.shifts.push(e.value);
        }).observe({ type: 'layout-shift', buffered: true });
      });
      const page = await openGame(context, server.url);
      await expectText(page, 'QUINTREL - SKELLARINE', `${name}: the first help page`);
      const running = await boxes(page);
      if (running !== css) throw new Error(`${name}: laid out at ${css} before the scripts, at ${running} once the game runs`);
      const shift = await page.evaluate(() => window.shifts.reduce((a, b) => a + b, 0));
      if (shift > 0.02) throw new Error(`${name}: layout shift ${shift.toFixed(3)}`);
      if (policyRefusals(page).length) throw new Error(`${name}: the content policy refused ${policyRefusals(page).join(' | ')}`);
      await page.close();
    } finally {
      await context.close();
    }
  }
};

tests.resume = async () => {
  // Two tabs keep two games across reloads. An answer typed but not sent is not kept: the same
  // question comes back, empty. «Новая игра» starts anew. A journal the page cannot read, one the
  // game refuses, and one of another build give a new game and the sentence that says so.
  const context = await launch({ serviceWorkers: 'block' });
  try {
    const a = await openGame(context, server.url);
    const b = await openGame(context, server.url);
    await toFirstTurn(a);
    await moveTo(a, 'ПОРТ');
    await toFirstTurn(b);
    await moveTo(b, 'РАТУША');
    await expectResumed(a, 'reload', 'the first tab');
    await expectText(a, 'ЭТО ПОРТ', 'the first tab resumed');
    const notice = await a.locator('#resumed').textContent();
    if (!notice.startsWith('Игра продолжена.') || (await a.locator('#resumed button').textContent()) !== 'Новая игра') throw new Error('the notice reads: ' + notice);
    await expectResumed(b, 'reload', 'the second tab');
    await expectText(b, 'ЭТО РАТУША', 'the second tab resumed');

    await command(a, 'ЖДАТЬ');
    const asked = await canvasBytes(a);
    await keys(a, '15');
    await expectResumed(a, 'reload', 'an answer typed but not sent', asked);
    await a.locator('#resumed button').click();
    await a.waitForFunction(() => window.skellarine && window.skellarine.state === 'running' && window.skellarine.wait, null, { timeout: 30000 });
    await settle(a);
    await expectText(a, 'QUINTREL - SKELLARINE', '«Новая игра»');
    if (await a.locator('#resumed').count()) throw new Error('a notice over the new game');

    const kept = await b.evaluate(() => JSON.parse(sessionStorage.getItem('skellarine journal')));
    const middle = Math.floor(kept.journal.length / 2);
    const damaged = {
      unreadable: ['{"build": ', 'Прерванную игру продолжить не удалось'],
      refused: [JSON.stringify({ ...kept, journal: kept.journal.slice(0, middle) + '#' + kept.journal.slice(middle + 1) }), 'Прерванную игру продолжить не удалось'],
      'another build': [JSON.stringify({ ...kept, build: '0123456789abcdef' }), 'Игра обновилась'],
    };
    for (const [what, [entry, sentence]] of Object.entries(damaged)) {
      await b.evaluate((e) => sessionStorage.setItem('skellarine journal', e), entry);
      await b.reload();
      await b.waitForFunction(() => window.skellarine && window.skellarine.state === 'running' && window.skellarine.wait, null, { timeout: 30000 });
      await settle(b);
      await expectText(b, 'QUINTREL - SKELLARINE', `a journal ${what}`);
      const said = await b.locator('#resumed').textContent();
      if (!said.startsWith(sentence) || (await b.locator('#resumed button').count())) throw new Error(`a journal ${what}: the notice reads ${said}`);
    }
  } finally {
    await context.close();
  }
};

tests.installable = async () => {
  const context = await launch();
  try {
    const page = await openGame(context, server.url);
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    if (installabilityErrors.length > 0) throw new Error('installability errors: ' + JSON.stringify(installabilityErrors));
    const manifest = await cdp.send('Page.getAppManifest');
    if (manifest.errors.length > 0) throw new Error('manifest errors: ' + JSON.stringify(manifest.errors));
    const parsed = JSON.parse(manifest.data);
    if (parsed.name !== 'Quintrel - Skellarine' || parsed.lang !== 'ru' || !parsed.icons.some((i) => i.purpose === 'maskable')) {
      throw new Error('the manifest: ' + manifest.data);
    }
    for (const icon of parsed.icons) {
      const png = fs.readFileSync(path.join(site, icon.src));
      const size = `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`;
      if (size !== icon.sizes) throw new Error(`${icon.src} is ${size}, the manifest says ${icon.sizes}`);
    }
    await page.close();
  } finally {
    await context.close();
  }
};

// ---- Benchmarks on emulated mobile networks (figures, not timed tests) ----

const kNetworks = {
  'Fast 4G': { latency: 60, downloadThroughput: (9e6 / 8), uploadThroughput: (1.5e6 / 8) },
  'Slow 4G': { latency: 150, downloadThroughput: (1.6e6 / 8), uploadThroughput: (0.75e6 / 8) },
};

// Navigation to the first help page drawn, by the page's clock, and the bytes that came before it.
async function firstHelp(context, network) {
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', { offline: false, ...kNetworks[network] });
  let bytes = 0;
  let counting = true;
  cdp.on('Network.loadingFinished', (e) => { if (counting) bytes += e.encodedDataLength; });
  await page.goto(server.url);
  const ms = await firstHelpDrawn(page);
  counting = false;
  return { page, cdp, ms, bytes };
}

const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];

// From the page's start to the game's first wait with Chromium's CPU 4x slower: a fresh start
// (the first help page) against a start that replays a journal of 40 turns (its last screen).
async function resumeBench() {
  const context = await launch({ serviceWorkers: 'block' });
  try {
    const page = await openGame(context, server.url);
    await toFirstTurn(page);
    for (let turn = 0; turn < 40; ++turn) {
      await command(page, 'ЖДАТЬ');
      await keys(page, '5\r');
      // Whatever the game says in between is read and passed.
      for (let i = 0; i < 5 && (await page.evaluate(() => window.skellarine.wait.kind)) !== 'list'; ++i) await keys(page, '\r');
    }
    const journal = await page.evaluate(() => sessionStorage.getItem('skellarine journal'));
    await page.close();
    const start = async (kept) => {
      const p = await context.newPage();
      if (kept) await p.addInitScript((j) => sessionStorage.setItem('skellarine journal', j), journal);
      const cdp = await context.newCDPSession(p);
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
      await p.goto(server.url);
      await p.waitForFunction(() => window.skellarine && window.skellarine.firstWaitMs, null, { timeout: 60000 });
      const { ms, resumed } = await p.evaluate(() => ({ ms: window.skellarine.firstWaitMs, resumed: window.skellarine.resumed }));
      await p.close();
      if (kept && resumed !== 'yes') throw new Error('the 40 turns were not resumed: ' + resumed);
      return ms;
    };
    const fresh = [];
    const resumed = [];
    for (let i = 0; i < 5; ++i) {
      fresh.push(await start(false));
      resumed.push(await start(true));
    }
    const result = { journalChars: JSON.parse(journal).journal.length, freshMs: fresh.map(Math.round), resumedMs: resumed.map(Math.round),
      freshMedianMs: Math.round(median(fresh)), resumedMedianMs: Math.round(median(resumed)), beyondMs: Math.round(median(resumed) - median(fresh)) };
    console.log('resume of 40 turns, CPU 4x slower', JSON.stringify(result));
    return result;
  } finally {
    await context.close();
  }
}

async function bench() {
  const results = { resume: await resumeBench() };
  for (const network of Object.keys(kNetworks)) {
    const cold = [];
    const second = [];
    const bytes = [];
    for (let i = 0; i < 3; ++i) {
      const context = await launch();
      try {
        const first = await firstHelp(context, network);
        cold.push(first.ms);
        bytes.push(first.bytes);
        // Once the worker keeps the site (on the emulated network too), the second visit.
        await waitForKeptSite(first.page, site);
        await first.page.close();
        const again = await firstHelp(context, network);
        second.push(again.ms);
        await again.page.close();
      } finally {
        await context.close();
      }
    }
    results[network] = { firstHelpMs: cold, secondVisitMs: second, bytesBeforeHelp: bytes,
      firstHelpMedianMs: median(cold), secondVisitMedianMs: median(second), bytesMedian: median(bytes) };
    console.log(network, JSON.stringify(results[network]));
  }
  // One game on Slow 4G: from the click on a place to its picture with the turn's rows on screen,
  // the player taking a few seconds over each turn as a reader of the screen does.
  const context = await launch();
  try {
    const { page } = await firstHelp(context, 'Slow 4G');
    await settle(page);
    await toFirstTurn(page);
    const places = ['ПОРТ', 'РАТУША', 'СТАНЦИЯ', 'ОТЕЛЬ', 'АРКАДА', 'ПОРТ', 'РАТУША', 'СТАНЦИЯ', 'ОТЕЛЬ', 'АРКАДА'];
    const times = [];
    for (const place of places) {
      await page.waitForTimeout(3000);
      await click(page, 320, rowY(34));
      const listRow = await expectText(page, ' ДВИГАТЬСЯ', 'the command list');
      await click(page, 320, rowY(listRow));
      await click(page, 320, rowY(33));
      const row = await expectText(page, ' ' + place, 'the list of places');
      const p = await at(page, 320, rowY(row));
      const before = await canvasHash(page);
      const started = Date.now();
      await page.mouse.click(p.x, p.y);
      for (;;) {
        await page.waitForTimeout(20);
        if ((await canvasHash(page)) === before) continue;
        const screen = await read(page, 'ЭТО ' + place, 'ВАШИ ДЕЙСТВИЯ');
        if (screen.found['ЭТО ' + place] && screen.found['ВАШИ ДЕЙСТВИЯ']) break;
        if (Date.now() - started > 60000) throw new Error('no turn at ' + place);
      }
      times.push(Date.now() - started);
      await settle(page);
    }
    const sorted = times.slice().sort((a, b) => a - b);
    results.turnPictureSlow4G = { ms: times, p95Ms: sorted[Math.ceil(0.95 * sorted.length) - 1] };
    console.log('turns on Slow 4G', JSON.stringify(results.turnPictureSlow4G));
    await page.close();
  } finally {
    await context.close();
  }
  return results;
}

// ---- Running ----

server = await t.serve('games/spy');
const benchFile = option('bench', '');
let counts;
try {
  counts = await t.runTests(tests, (test) => test());
  if (benchFile) fs.writeFileSync(benchFile, JSON.stringify(await bench(), null, 2) + '\n');
} finally {
  server.server.kill();
  t.removeWork();
}
finish(counts);
