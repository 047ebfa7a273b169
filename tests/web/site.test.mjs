// The site as it is published: what is downloaded before the first help page, pictures fetched when
// the game needs them, play without a network after one visit, a new build that replaces the kept
// one, pictures or files the server lacks or cannot send, other hosts, the first paint, resuming.
// The bare picture (the right button held) is compared pixel for pixel with the native runner's.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import crypto from 'node:crypto';
import { PNG } from 'pngjs';
import { serve, launch, withContext, running, openGame, canvasBytes, settle, expectText, holdRight, keys, pick, moveTo, toFirstTurn, expectResumed,
  keptFiles, buildName, waitForKeptSite, site, native, work, shots, phone, portrait, kWidth, kHeight } from './lib.mjs';

let server;
before(async () => {
  fs.mkdirSync(shots, { recursive: true });
  server = await serve('games/spy');
});
after(() => server.close());

// Runs a script on the native runner (from the native build folder) to the first turn and then
// lines; returns its folder of shots.
function nativeShots(name, lines, exedir = []) {
  const dir = path.join(work, 'native-' + name);
  fs.mkdirSync(dir);
  const script = path.join(dir, 'play.script');
  fs.writeFileSync(script, [...exedir, 'timer 100', ...Array(6).fill('key enter'), ...lines].map((l) => l.replace('@', dir + '/')).join('\n') + '\n');
  execFileSync(path.join(native, 'skellarine-script'), [script], { cwd: native, encoding: 'utf8' });
  return dir;
}

// The bare picture while the right button is held, pixel for pixel the native shot's; then let go.
async function expectPicture(page, png, what) {
  await holdRight(page);
  const got = await canvasBytes(page);
  await page.mouse.up({ button: 'right' });
  await settle(page);
  const want = PNG.sync.read(fs.readFileSync(png)).data;
  let differ = 0;
  for (let i = 0; i < 4 * kWidth * kHeight; i += 4) if (got[i] !== want[i] || got[i + 1] !== want[i + 1] || got[i + 2] !== want[i + 2]) ++differ;
  assert.equal(differ, 0, `${what}: pixels that differ from the native runner's`);
}

// A browser of its own for each test; no service worker unless options allow it (it would answer
// past the routes).
const withBrowser = (options, body) => withContext(launch({ serviceWorkers: 'block', ...options }), body);
const worker = { serviceWorkers: 'allow' };

describe('the published site', () => {
  test('nothing but the game before the first help page, each picture fetched once', () => withBrowser({}, async (context) => {
    server.log.length = 0;
    const page = await openGame(context, server.url);
    const before = server.log.map((e) => e.path);
    assert.deepEqual(before.filter((p) => p.startsWith('data/') || /^skellarine\.(wasm|data)$/.test(p)), [], 'pictures or plain copies');
    for (const f of ['skellarine.wasm.gz', 'skellarine.js', 'skellarine.data.gz']) assert.equal(before.filter((p) => p === f).length, 1, f);
    await toFirstTurn(page);
    await moveTo(page, 'ПОРТ');
    await moveTo(page, 'АРКАДА');
    await expectText(page, 'ЭТО АРКАДА', 'back at the arcade');
    // In the background the rest follow.
    const all = keptFiles(site).filter((f) => f.startsWith('data/')).length;
    let counts = {};
    for (let waited = 0; waited < 20000 && Object.keys(counts).length < all; waited += 500) {
      await page.waitForTimeout(500);
      counts = {};
      for (const e of server.log) if (e.path.startsWith('data/')) counts[e.path] = (counts[e.path] || 0) + 1;
    }
    assert.deepEqual(Object.entries(counts).filter(([, n]) => n > 1), [], 'pictures downloaded more than once');
    assert.ok(counts['data/ARCADE/ARCADE1.jpg'] && counts['data/PORT/PORT1.jpg'], 'the pictures shown were not downloaded');
    assert.equal(Object.keys(counts).length, all, 'pictures fetched in the background');
  }));

  test('offline after one visit; only the installed game asks for persistent storage', async () => {
    const shots = nativeShots('offline', ['rclick-hold 320 200', 'screenshot @arcade.png', 'release', 'pick ДВИГАТЬСЯ',
      'pick ПОРТ', 'rclick-hold 320 200', 'screenshot @port.png', 'release', 'pick ДВИГАТЬСЯ', 'pick РАТУША',
      'rclick-hold 320 200', 'screenshot @townhall.png', 'release']);
    await withBrowser(worker, async (context) => {
      let page = await openGame(context, server.url);
      await waitForKeptSite(page, site);
      assert.equal(await page.evaluate(() => window.skellarine.persistent), undefined, 'a tab asked for persistent storage');
      await page.close();
      await context.setOffline(true);
      server.log.length = 0;
      // Started as the installed app.
      await context.addInitScript(() => {
        const real = window.matchMedia.bind(window);
        window.matchMedia = (q) => (/display-mode: standalone/.test(q) ? { matches: true, media: q } : real(q));
      });
      page = await openGame(context, server.url);
      await page.waitForFunction(() => typeof window.skellarine.persistent === 'boolean', null, { timeout: 5000 });
      await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page without a network');
      await toFirstTurn(page);
      await expectPicture(page, path.join(shots, 'arcade.png'), 'the arcade without a network');
      await moveTo(page, 'ПОРТ');
      await expectText(page, 'ЭТО ПОРТ', 'the port without a network');
      await expectPicture(page, path.join(shots, 'port.png'), 'the port without a network');
      await moveTo(page, 'РАТУША');
      await expectPicture(page, path.join(shots, 'townhall.png'), 'the town hall without a network');
      assert.ok(!(await page.evaluate(() => window.skellarine.offline)), 'the page says that the network is down');
      // The browser itself looks for a new worker, past the page's offline state.
      assert.deepEqual(server.log.map((e) => e.path).filter((p) => p !== 'sw.js'), [], 'asked while offline');
    });
  });

  test('a new build replaces the kept one whole, taking over what did not change', async () => {
    // Build B: another page style and another arcade picture, and the build's name changed with them.
    const b = path.join(work, 'site-b');
    fs.cpSync(site, b, { recursive: true, dereference: true });
    const [hashA, hashB] = [buildName(site), [...buildName(site)].reverse().join('')];
    for (const f of ['index.html', 'sw.js']) fs.writeFileSync(path.join(b, f), fs.readFileSync(path.join(b, f), 'utf8').split(hashA).join(hashB));
    fs.appendFileSync(path.join(b, 'page.css'), '/* build B */\n');
    fs.copyFileSync(path.join(b, 'data/ARCADE/ARCADE2.jpg'), path.join(b, 'data/ARCADE/ARCADE1.jpg'));
    // The worker's list of the files' contents, as the build writes it.
    let sw = fs.readFileSync(path.join(b, 'sw.js'), 'utf8');
    for (const f of ['page.css', 'data/ARCADE/ARCADE1.jpg']) {
      const sum = crypto.createHash('sha256').update(fs.readFileSync(path.join(b, f))).digest('hex').slice(0, 16);
      sw = sw.replace(new RegExp(`\\["${f}", "[0-9a-f]+"\\]`), `["${f}", "${sum}"]`);
    }
    fs.writeFileSync(path.join(b, 'sw.js'), sw);
    await withBrowser(worker, async (context) => {
      try {
        let page = await openGame(context, server.url);
        const cacheA = await waitForKeptSite(page, site);
        await page.close();
        server.publish(b);
        server.log.length = 0;
        // The next start still plays A, whole, while B's worker fills its cache.
        page = await openGame(context, server.url);
        assert.equal(await page.evaluate(() => window.skellarine.build), hashA, 'the start after the release');
        const cacheB = await waitForKeptSite(page, b);
        assert.ok(cacheB !== cacheA && cacheB.endsWith(hashB), `B's cache is ${cacheB}`);
        const fetched = server.log.map((e) => e.path);
        assert.ok(fetched.includes('data/ARCADE/ARCADE1.jpg') && fetched.includes('page.css'), 'changed files not fetched: ' + fetched);
        assert.ok(!fetched.includes('data/PORT/PORT1.jpg') && !fetched.includes('skellarine.wasm.gz'), 'unchanged files fetched: ' + fetched);
        // The start after that is B's, and A's cache is gone. The tab playing A stays open, so that
        // only the new start can let B take over.
        const playingA = page;
        page = await openGame(context, server.url);
        await playingA.close();
        assert.equal(await page.evaluate(() => window.skellarine.build), hashB, 'the second start after the release');
        const kept = await page.evaluate(async (files) => {
          const names = await caches.keys();
          const cache = await caches.open(names[0]);
          const bytes = {};
          for (const f of files) {
            const r = await cache.match(new URL(f, location.href).href);
            bytes[f] = r ? Array.from(new Uint8Array(await r.arrayBuffer())).join(',') : null;
          }
          return { names, bytes };
        }, ['page.css', 'data/ARCADE/ARCADE1.jpg', 'index.html']);
        assert.deepEqual(kept.names, [cacheB], 'the caches after the release');
        for (const [f, bytes] of Object.entries(kept.bytes)) assert.equal(bytes, Array.from(fs.readFileSync(path.join(b, f))).join(','), `the kept ${f}`);
        await toFirstTurn(page);
        await expectText(page, 'ЭТО АРКАДА', 'the first turn of build B');
      } finally {
        server.publish(site);
      }
    });
  });

  test('a picture the server lacks is a missing picture, as on the desktop', async () => {
    const missing = path.join(work, 'missing');
    fs.cpSync(path.join(native, 'data'), path.join(missing, 'data'), { recursive: true });
    fs.rmSync(path.join(missing, 'data/PORT/PORT1.jpg'));
    const shots = nativeShots('missing', ['pick ДВИГАТЬСЯ', 'pick ПОРТ', 'expect-row 30 ЭТО ПОРТ', 'rclick-hold 320 200',
      'screenshot @port.png', 'release'], [`exedir ${missing}`]);
    await withBrowser({}, async (context) => {
      const page = await context.newPage();
      await page.route('**/data/PORT/PORT1.jpg', (route) => route.fulfill({ status: 404, body: 'no such file' }));
      await page.goto(server.url);
      await running(page);
      await toFirstTurn(page);
      await moveTo(page, 'ПОРТ');
      await expectText(page, 'ЭТО ПОРТ', 'the port without its picture');
      await expectPicture(page, path.join(shots, 'port.png'), 'the port without its picture');
      assert.ok(!(await page.evaluate(() => window.skellarine.offline)), 'a missing picture taken for a network fault');
      await moveTo(page, 'АРКАДА');
      await expectText(page, 'ЭТО АРКАДА', 'the game after the missing picture');
    });
  });

  test('the network cut and restored: the game waits, keeps the keys and goes on', async () => {
    const shots = nativeShots('cut', ['pick ДВИГАТЬСЯ', 'pick ПОРТ', 'rclick-hold 320 200', 'screenshot @port.png', 'release']);
    await withBrowser({}, async (context) => {
      const page = await context.newPage();
      // Nothing but what the test lets through: the background fetching must not get ahead of it.
      const allowed = new Set();
      await page.route('**/data/**', (route) => {
        if ([...allowed].some((a) => route.request().url().endsWith(a))) route.continue();
        else route.abort('internetdisconnected');
      });
      const offline = (down) => page.waitForFunction((d) => window.skellarine.offline === d, down, { timeout: 10000 });
      await page.goto(server.url);
      await running(page);
      // The briefing needs the arcade's picture; the Enter typed meanwhile is kept for after it.
      for (let i = 0; i < 5; ++i) await keys(page, '\r');
      await offline(true);
      assert.match(await page.locator('#offline:not([hidden])').textContent(), /^Нет связи с сервером…/);
      await page.keyboard.press('Enter');
      await page.waitForTimeout(1000);
      allowed.add('/data/ARCADE/ARCADE1.jpg');
      await offline(false);
      await settle(page);
      await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the first turn after the network came back (the Enter typed while it was down)');
      // Cut during a turn: the move waits for the port's picture, then goes on with it.
      await pick(page, 'ДВИГАТЬСЯ', 34);
      await pick(page, 'ПОРТ', 33);
      await offline(true);
      allowed.add('/data/PORT/PORT1.jpg');
      await offline(false);
      await settle(page);
      await expectText(page, 'ЭТО ПОРТ', 'the port after the network came back');
      await expectPicture(page, path.join(shots, 'port.png'), 'the port after the network came back');
    });
  });

  test('a host that compresses by itself, and one without the compressed copies', async () => {
    const hosts = {
      compressing: (route, file) => route.fulfill({ status: 200, body: fs.readFileSync(file), headers: { 'Content-Encoding': 'gzip', 'Content-Type': 'application/octet-stream' } }),
      'without copies': (route) => route.fulfill({ status: 404, body: 'no such file' }),
    };
    for (const [name, answer] of Object.entries(hosts)) {
      await withBrowser({}, async (context) => {
        const page = await context.newPage();
        await page.route('**/*.gz', (route) => answer(route, path.join(site, new URL(route.request().url()).pathname.split('/').pop())));
        await page.goto(server.url);
        await running(page);
        await expectText(page, 'QUINTREL - SKELLARINE', `the first help page from the ${name} host`);
        // The progress ends at its total, with a decimal comma.
        const m = /^(\d+,\d) из (\d+,\d) МБ$/.exec(await page.locator('#loading-size').textContent());
        assert.ok(m && m[1] === m[2], `${name}: the progress ended at ${m}`);
      });
    }
  });

  test('failed downloads and no WebAssembly: Russian messages, «Повторить» where it can help', () => withBrowser(phone, async (context) => {
    const message = async (page, shot) => {
      await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'error', null, { timeout: 20000 });
      await page.screenshot({ path: path.join(shots, `landscape-failed-${shot}.png`) });
      const text = await page.locator('#message-text').textContent();
      assert.ok(!/[A-Za-z]{3,}/.test(text.replace(/skellarine\.(data|wasm)|WebAssembly/g, '')), 'browser words: ' + text);
      assert.ok(!(await page.locator('#again').isVisible()) && !(await page.locator('#panel').isVisible()), 'a new start or the touch controls under the message');
      return text;
    };
    let page = await context.newPage();
    await page.route('**/skellarine.data*', (route) => route.fulfill({ status: 404, body: 'gone' }));
    await page.goto(server.url);
    assert.match(await message(page, '404'), /^Не удалось загрузить файлы игры\. Сервер не отдал файл skellarine\.data \(код 404\)\./);
    assert.equal(await page.locator('#retry:visible').textContent(), 'Повторить');
    await page.close();
    // A download that failed is fetched afresh.
    page = await context.newPage();
    await page.route('**/skellarine.wasm*', (route) => route.abort('internetdisconnected'));
    await page.goto(server.url);
    assert.match(await message(page, 'abort'), /^Не удалось загрузить файлы игры\. Нет связи с сервером\./);
    await page.unroute('**/skellarine.wasm*');
    await page.locator('#retry').click();
    await running(page);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page after «Повторить»');
    await page.close();
    page = await context.newPage();
    await page.addInitScript(() => { delete window.WebAssembly; });
    await page.goto(server.url);
    assert.match(await message(page, 'no-wasm'), /WebAssembly/);
    assert.ok(!(await page.locator('#retry').isVisible()), '«Повторить» without WebAssembly');
  }));

  test('the first paint: laid out by page.css alone, no shift, nothing refused by the content policy', async () => {
    const boxes = (page) => page.evaluate(() => ['#frame', '#panel'].map((s) => {
      const b = document.querySelector(s).getBoundingClientRect();
      return [b.x, b.y, b.width, b.height].map(Math.round).join(',');
    }).join(' '));
    for (const [name, profile] of Object.entries({ phone, portrait, laptop: { viewport: { width: 1366, height: 768 } } })) {
      await withBrowser(profile, async (context) => {
        const bare = await context.newPage();
        await bare.route('**/page.js', (route) => route.abort());
        await bare.goto(server.url);
        const css = await boxes(bare);
        assert.ok(await bare.evaluate(() => {
          const img = document.querySelector('#loading img');
          return img.complete && img.naturalWidth > 0 && img.getBoundingClientRect().width > 100;
        }), `${name}: no poster while loading`);
        await bare.close();
        await context.addInitScript(() => {
          window.shifts = [];
          new PerformanceObserver((list) => { for (const e of list.getEntries()) window.shifts.push(e.value); }).observe({ type: 'layout-shift', buffered: true });
        });
        const page = await openGame(context, server.url);
        await expectText(page, 'QUINTREL - SKELLARINE', `${name}: the first help page`);
        assert.equal(await boxes(page), css, `${name}: laid out before the scripts and once the game runs`);
        assert.ok((await page.evaluate(() => window.shifts.reduce((a, b) => a + b, 0))) <= 0.02, `${name}: layout shift`);
        assert.deepEqual(page.refused, [], `${name}: the content policy refused`);
      });
    }
  });

  test('resuming: two tabs, an answer not sent, «Новая игра», journals that cannot be resumed', () => withBrowser({}, async (context) => {
    const a = await openGame(context, server.url);
    const b = await openGame(context, server.url);
    await toFirstTurn(a);
    await moveTo(a, 'ПОРТ');
    await toFirstTurn(b);
    await moveTo(b, 'РАТУША');
    await expectResumed(a, 'reload', 'the first tab');
    await expectText(a, 'ЭТО ПОРТ', 'the first tab resumed');
    assert.match(await a.locator('#resumed').textContent(), /^Игра продолжена\./);
    assert.equal(await a.locator('#resumed button').textContent(), 'Новая игра');
    await expectResumed(b, 'reload', 'the second tab');
    await expectText(b, 'ЭТО РАТУША', 'the second tab resumed');
    // An answer typed but not sent is not kept: the same question comes back, empty.
    await pick(a, 'ЖДАТЬ');
    const asked = await canvasBytes(a);
    await keys(a, '15');
    await expectResumed(a, 'reload', 'an answer typed but not sent', asked);
    await a.locator('#resumed button').click();
    await running(a);
    await expectText(a, 'QUINTREL - SKELLARINE', '«Новая игра»');
    assert.equal(await a.locator('#resumed').count(), 0, 'a notice over the new game');
    const kept = await b.evaluate(() => JSON.parse(sessionStorage.getItem('skellarine journal')));
    const middle = Math.floor(kept.journal.length / 2);
    const damaged = {
      unreadable: ['{"build": ', 'Прерванную игру продолжить не удалось'],
      refused: [JSON.stringify({ ...kept, journal: kept.journal.slice(0, middle) + '#' + kept.journal.slice(middle + 1) }), 'Прерванную игру продолжить не удалось'],
      'of another build': [JSON.stringify({ ...kept, build: '0123456789abcdef' }), 'Игра обновилась'],
    };
    for (const [what, [entry, sentence]] of Object.entries(damaged)) {
      await b.evaluate((e) => sessionStorage.setItem('skellarine journal', e), entry);
      await b.reload();
      await running(b);
      await expectText(b, 'QUINTREL - SKELLARINE', `a journal ${what}`);
      assert.ok((await b.locator('#resumed').textContent()).startsWith(sentence), `a journal ${what}: the notice`);
      assert.equal(await b.locator('#resumed button').count(), 0, `a journal ${what}: «Новая игра»`);
    }
  }));

  test('installable: the manifest and its icons', () => withBrowser(worker, async (context) => {
    const page = await openGame(context, server.url);
    const cdp = await context.newCDPSession(page);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    const parsed = JSON.parse(manifest.data);
    assert.ok(parsed.name === 'Quintrel - Skellarine' && parsed.lang === 'ru' && parsed.icons.some((i) => i.purpose === 'maskable'), manifest.data);
    for (const icon of parsed.icons) {
      const png = PNG.sync.read(fs.readFileSync(path.join(site, icon.src)));
      assert.equal(`${png.width}x${png.height}`, icon.sizes, icon.src);
    }
  }));
});
