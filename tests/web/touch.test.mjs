// The page on touch phones, a tablet and laptops: what the game waits for drives the touch controls
// (a tap as Enter, a keypad for answers, a list's entries as buttons), the screen fills each
// window, whole games by touch and from the accessibility tree on the phone. Screenshots of every
// profile go to SKELLARINE_SHOTS.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { serve, withContext, openGame, read, click, pick, settle, expectText, at, wait, waitFor, pad, pickByTouch, toFirstTurn,
  expectResumed, playWithPlayer, playByAccessibility, phone, portrait, shots, launchBrowser, kWidth } from './lib.mjs';

let server;
let browser;
before(async () => {
  fs.mkdirSync(shots, { recursive: true });
  server = await serve('games/skellarine');
  browser = await launchBrowser();
});
after(async () => {
  await browser.close();
  server.close();
});

const shot = (page, name) => page.screenshot({ path: path.join(shots, name + '.png') });

// A finger down at one point, moved through others and lifted, by the browser's own input.
async function stroke(page, points) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [points[0]] });
  for (const p of points.slice(1)) await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [p] });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await cdp.detach();
}

describe('touch', () => {
  test('a whole game by touch on the phone, reloaded mid-turn and taken away and back', async () => {
    // The autoplayer decides; its clicks become taps on list buttons (or the screen), its keys taps
    // on the keypad or, where the game waits for Enter or any key, on the screen.
    const page = await openGame(browser, server.url, phone);
    await shot(page, 'landscape-help');
    await page.locator('#full').tap();
    await page.waitForFunction(() => document.fullscreenElement !== null, null, { timeout: 5000 });
    await settle(page);
    const box = await page.locator('#canvas').boundingBox();
    assert.ok((14 * box.height) / 480 >= 11, `a text row ${(14 * box.height) / 480} CSS px tall in full screen`);
    let [buttons, typed] = [0, 0];
    const resumes = {};
    const result = await playWithPlayer(page, {
      // Reloaded at the turn's second list, away and back at a later turn's prompt: kept or resumed, as the browser chose.
      before: async () => {
        const w = await wait(page);
        if (w.kind !== 'list') return;
        if (!resumes.middle && w.promptRow !== 34) resumes.middle = await expectResumed(page, 'reload', 'reloaded in the middle of a turn');
        else if (resumes.middle && !resumes.away && w.promptRow === 34) resumes.away = await expectResumed(page, 'away', 'away and back');
      },
      click: async (x, y) => {
        const w = await wait(page);
        const entry = w.kind === 'list' && w.entries.find((e) => e.row === Math.ceil(y / 14));
        if (!entry) return click(page, x, y, true);
        if (!buttons++) await shot(page, 'landscape-list');
        await pickByTouch(page, entry.text);
      },
      keys: async (text) => {
        for (const c of text) {
          let w = await wait(page);
          if (w.kind === 'nothing') w = await page.waitForTimeout(500).then(() => wait(page));
          if (w.kind === 'typed') {
            if (!typed++) await shot(page, 'landscape-keypad');
            await pad(page, c);
          } else {
            // The win animation ends on any key: a tap gives one.
            const anyKey = ['nothing', 'key'].includes(w.kind);
            assert.ok(c === '\r' || anyKey, `the player types ${JSON.stringify(c)} where the game waits for ${w.kind}`);
            if (anyKey) await shot(page, 'landscape-win');
            await click(page, 320, 240, true);
          }
        }
      },
    });
    console.log(`  ${result}, ${buttons} list buttons; the reload ${resumes.middle}, away and back ${resumes.away}`);
    assert.ok(buttons >= 5, `only ${buttons} list buttons tapped`);
    assert.ok(resumes.middle && resumes.away, 'reloaded and taken away and back: ' + JSON.stringify(resumes));
    assert.ok(!(await page.locator('#keypad').isVisible()), 'the keypad stays under the end message');
    await shot(page, 'landscape-ended');
    await page.context().close();
  });

  const profiles = { landscape: phone, portrait, small: { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true } };
  for (const [name, profile] of Object.entries(profiles)) {
    test(`taps, the keypad, the city of places and the text on the ${name} phone`, async () => {
      const page = await openGame(browser, server.url, profile);
      await shot(page, `${name}-help`);
      await click(page, 320, 240, true);
      assert.ok(!(await read(page, 'QUINTREL - SKELLARINE')).found['QUINTREL - SKELLARINE'], 'a tap did not turn the help page');
      assert.ok(!(await page.locator('#keypad').isVisible()), 'a keypad while the game waits for Enter');
      await toFirstTurn(page, true);
      const heights = await page.$$eval('#choices button', (bs) => bs.map((b) => b.getBoundingClientRect().height));
      assert.ok(heights.length === 13 && Math.min(...heights) >= 44, `command buttons ${heights}`);
      await shot(page, `${name}-commands`);

      // A press that slides off types nothing, one lifted inside types.
      await pickByTouch(page, 'ЖДАТЬ');
      await waitFor(page, (w) => w.kind === 'typed', 'ЖДАТЬ');
      assert.ok(await page.locator('#keypad').isVisible(), 'no keypad for a typed answer');
      assert.ok(!(await page.locator('#choices').isVisible()), 'list buttons beside the keypad');
      await shot(page, `${name}-keypad`);
      const keySizes = await page.$$eval('#keypad button', (bs) => bs.map((b) => b.getBoundingClientRect()).map((b) => Math.min(b.width, b.height)));
      assert.ok(Math.min(...keySizes) >= 44, `a keypad key ${Math.min(...keySizes)} CSS px`);
      const mid = async (key) => {
        const b = await page.locator('#keypad').getByRole('button', { name: key, exact: true }).boundingBox();
        return { x: b.x + b.width / 2, y: b.y + b.height / 2, left: b.x, right: b.x + b.width };
      };
      const [five, enter] = [await mid('5'), await mid('Ввод')];
      await stroke(page, [five, { x: five.x + 3, y: five.y + 2 }, { x: five.left - 40, y: five.y + 90 }]);
      await stroke(page, [enter, { x: enter.right + 60, y: enter.y }]);
      await settle(page);
      await expectText(page, '>_', 'presses slid off the keypad');
      assert.equal((await wait(page)).kind, 'typed', 'a cancelled Enter ended the answer');
      assert.equal(await page.evaluate(() => document.querySelectorAll('#keypad .pressed').length), 0, 'a key stays pressed');
      await pad(page, '5');
      await expectText(page, '>5_', 'a key lifted inside');
      await pad(page, '\r');
      await waitFor(page, (w) => w.kind === 'list', 'the next turn');
      await settle(page);

      // Entry i in column i mod 5, row i div 5 of the grid.
      await pickByTouch(page, 'ДВИГАТЬСЯ');
      const places = await waitFor(page, (w) => w.kind === 'list' && w.list === 2, 'the list of places');
      const boxes = await page.$$eval('#choices button', (bs) => bs.map((b) => b.getBoundingClientRect().toJSON()));
      await shot(page, `${name}-places`);
      const off = boxes.findIndex((b, i) => Math.abs(b.x - boxes[i % 5].x) > 1 || Math.abs(b.y - boxes[5 * Math.floor(i / 5)].y) > 1);
      assert.ok(places.columns === 5 && boxes.length === 20 && off < 0, `the places are not the 5 x 4 city: ${places.columns}, entry ${off}`);
      assert.ok(Math.min(...boxes.map((b) => b.height)) >= 44, 'place buttons under 44 CSS px');
      await pickByTouch(page, places.entries[7].text.trim());
      await expectText(page, 'ЭТО ' + places.entries[7].text.trim(), 'a place button');
      // In portrait the screen's text stands under the picture, large enough to read.
      const mirror = await page.$eval('#rows p', (p) => [parseFloat(getComputedStyle(p).fontSize), p.getBoundingClientRect().height]);
      if (name !== 'landscape') assert.ok(Math.min(...mirror) >= 16, `the mirror's text ${mirror} CSS px`);

      // A long press outside a list shows the bare picture and opens nothing.
      const cdp = await page.context().newCDPSession(page);
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [await at(page, 320, 100)] });
      await page.waitForTimeout(800);
      await settle(page);
      assert.ok(!(await read(page, 'ВАШИ ДЕЙСТВИЯ')).found['ВАШИ ДЕЙСТВИЯ'], 'a long press shows the rows');
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      await settle(page);
      await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'after a long press');
      assert.ok(!(await wait(page)).open, 'a long press opened the list');
      await page.context().close();
    });
  }

  test('a whole game from the accessibility tree on the phone', async () => {
    await withContext(browser.newContext({ ...phone, serviceWorkers: 'block' }), (context) => playByAccessibility(context, server.url, ' ', false));
  });

  test('the screen fills laptops and a tablet, drawn sharp, clicks on the right rows at any size', async () => {
    const laptop = { viewport: { width: 1366, height: 768 }, deviceScaleFactor: 1 };
    const screens = { laptop, desktop: { viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 1 },
      tablet: { viewport: { width: 820, height: 1180 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true } };
    for (const [name, profile] of Object.entries(screens)) {
      const page = await openGame(browser, server.url, profile);
      await shot(page, `${name}-help`);
      const b = await page.locator('#canvas').boundingBox();
      assert.ok(Math.max(b.width / profile.viewport.width, b.height / profile.viewport.height) >= 0.9, `${name}: ${b.width} x ${b.height}`);
      // Under two device pixels to a game pixel the screen is drawn at the next whole multiple with
      // hard edges (each game pixel a block of that copy) and scaled down by the browser.
      const sharp = await page.evaluate(() => {
        const [game, copy] = [document.getElementById('canvas'), document.getElementById('screen')];
        if (copy.hidden) return { hidden: true, pixelated: getComputedStyle(game).imageRendering };
        const k = copy.width / 640;
        const a = game.getContext('2d').getImageData(0, 0, 640, 480).data;
        const c = copy.getContext('2d').getImageData(0, 0, copy.width, copy.height).data;
        let wrong = 0;
        for (let y = 3; y < 480; y += 37) {
          for (let x = 5; x < 640; x += 41) {
            for (const d of [0, k - 1]) {
              const [i, j] = [4 * (y * 640 + x), 4 * ((y * k + d) * copy.width + x * k + d)];
              if (a[i] !== c[j] || a[i + 1] !== c[j + 1] || a[i + 2] !== c[j + 2]) ++wrong;
            }
          }
        }
        return { hidden: false, k, wrong, shown: getComputedStyle(copy).display };
      });
      const perGame = (b.width / kWidth) * profile.deviceScaleFactor;
      if (perGame < 2) assert.ok(!sharp.hidden && sharp.k === Math.ceil(perGame) && !sharp.wrong && sharp.shown !== 'none', `${name}: no sharp copy: ${JSON.stringify(sharp)}`);
      else assert.ok(sharp.hidden && ['pixelated', 'crisp-edges'].includes(sharp.pixelated), `${name}: not pixelated at ${perGame}`);
      await toFirstTurn(page, profile.hasTouch);
      // The desktop's controls are there for screen readers only: no larger than a pixel.
      const visible = () => page.evaluate(() => ['#panel', '#keypad', '#choices', '#full', '#next']
        .filter((s) => { const r = document.querySelector(s).getBoundingClientRect(); return r.width > 1 && r.height > 1; }));
      if (!profile.hasTouch) assert.deepEqual(await visible(), [], 'touch controls on the desktop');
      // At each size ХИТРИТЬ answers on row 32, by touch or by the mouse; the laptop's window is
      // resized in between to the largest 4:3 screen that fits, whole multiple or not.
      const sizes = name === 'laptop' ? [laptop.viewport, { width: 1400, height: 1000 }, { width: 700, height: 900 }, { width: 500, height: 420 }] : [null];
      for (const [i, size] of sizes.entries()) {
        if (size) {
          await page.setViewportSize(size);
          await settle(page);
          const box = await page.locator('#canvas').boundingBox();
          const wanted = Math.floor(kWidth * Math.min(size.width / 640, size.height / 480));
          assert.ok(Math.abs(box.width - wanted) <= 1 && Math.abs(box.width * 3 - box.height * 4) <= 4, `${box.width} x ${box.height} at ${size.width} x ${size.height}`);
        }
        await (profile.hasTouch ? pickByTouch : pick)(page, 'ХИТРИТЬ');
        assert.equal(await expectText(page, i % 2 ? 'DEBUG IS OFF' : 'DEBUG IS ON', `${name}: ХИТРИТЬ`), 32, `${name}: the answer's row`);
      }
      await shot(page, `${name}-turn`);
      if (!profile.hasTouch) {
        // A typed answer by keys, no touch controls for it, and the keys' focus back on the canvas.
        await pick(page, 'ЖДАТЬ');
        await waitFor(page, (w) => w.kind === 'typed', 'ЖДАТЬ');
        assert.deepEqual(await visible(), [], 'touch controls for a typed answer on the desktop');
        await page.keyboard.type('10');
        await page.keyboard.press('Enter');
        await waitFor(page, (w) => w.kind === 'list', 'the next turn');
        assert.equal(await page.evaluate(() => document.activeElement && document.activeElement.id), 'canvas', 'the focus');
      }
      await page.context().close();
    }
  });
});
