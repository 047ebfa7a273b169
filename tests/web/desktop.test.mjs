// The page on the desktop: the help and the keys the game keeps, a whole game won with clicks and
// keys and one from the accessibility tree alone, the picture peek, a frozen tab and one hidden
// behind another.
import { test, describe, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { serve, launch, withContext, running, openGame, read, settle, expectText, expectNoText, click, keys, pick, toFirstTurn,
  playWithPlayer, playByAccessibility, holdRight, kChromiumArgs, sleep, work } from './lib.mjs';

let server;
let context;
before(async () => {
  server = await serve('games/spy/skellarine');
  context = await launch();
});
after(async () => {
  await context.close();
  server.close();
});

describe('desktop', () => {
  test('help pages, full-screen keys and keys the browser would take', async () => {
    const page = await openGame(context, server.url);
    for (const combo of ['F11', 'Alt+Enter']) {
      await page.keyboard.press(combo);
      await page.waitForFunction(() => document.fullscreenElement !== null, null, { timeout: 5000 });
      assert.equal(await page.evaluate(() => document.fullscreenElement.id), 'stage', combo);
      await settle(page);
      const box = await page.locator('#canvas').boundingBox();
      assert.ok(Math.abs(box.width * 3 - box.height * 4) <= 4, `full screen is ${box.width} x ${box.height}`);
      await page.keyboard.press(combo);
      await page.waitForFunction(() => document.fullscreenElement === null, null, { timeout: 5000 });
    }
    await page.evaluate(() => { window.stillHere = true; });
    for (const key of ['Backspace', 'Tab', 'F5', 'F1', 'F3']) await page.keyboard.press(key);
    await settle(page);
    assert.ok(await page.evaluate(() => window.stillHere === true), 'a key made the browser leave or reload the page');
    // Neither the full-screen keys nor those turned a page.
    await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page after the keys');
    await keys(page, '\r');
    await expectNoText(page, 'QUINTREL - SKELLARINE', 'the second help page');
    await page.close();
  });

  test('a whole game with clicks and keys, then a new one', async () => {
    const page = await openGame(context, server.url);
    console.log('  ' + await playWithPlayer(page, { click: (x, y) => click(page, x, y), keys: (text) => keys(page, text) }));
    await page.click('#again');
    await running(page);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the game started again');
    await page.close();
  });

  test('a whole game from the accessibility tree, the mirror equal to the canvas', async () => {
    await withContext(launch({ serviceWorkers: 'block' }), (own) => playByAccessibility(own, server.url, 'Enter', true));
  });

  test('the right button shows the bare picture and is no click', async () => {
    const page = await openGame(context, server.url);
    await toFirstTurn(page);
    await holdRight(page);
    const bare = await read(page);
    assert.deepEqual(Object.values(bare.rows).filter((t) => t.replace(/[~ ]/g, '')), [], 'text on the bare picture');
    const menus = await page.evaluate(() => document.querySelectorAll('[role=menu]').length);
    await page.mouse.up({ button: 'right' });
    await settle(page);
    assert.equal(menus, 0, 'a context menu opened');
    await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the rows after the right button is let go');
    await expectNoText(page, ' ДВИГАТЬСЯ', 'the command list after the peek');
    await page.close();
  });

  test('a frozen tab goes on where it was', async () => {
    const page = await openGame(context, server.url);
    const cdp = await context.newCDPSession(page);
    await cdp.send('Page.setWebLifecycleState', { state: 'frozen' });
    await sleep(1500);
    await cdp.send('Page.setWebLifecycleState', { state: 'active' });
    await settle(page);
    await expectText(page, 'QUINTREL - SKELLARINE', 'the help page after the tab came back');
    await keys(page, '\r');
    await expectNoText(page, 'QUINTREL - SKELLARINE', 'Enter after the tab came back');
    await page.close();
  });

  // A browser that playwright launches keeps every page "visible", so this Chromium runs with a
  // window on Xvfb and playwright only attaches to it: a tab opened over the game hides it.
  test('a tab hidden behind another, the right button held and an answer half typed', async (t) => {
    const display = await new Promise((resolve, reject) => {
      const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
      t.after(() => xvfb.kill());
      let digits = '';
      xvfb.stdio[3].on('data', (d) => { if (/\n/.test((digits += d))) resolve(digits.trim()); });
      xvfb.on('exit', () => reject(new Error('Xvfb ended')));
    });
    const profile = fs.mkdtempSync(path.join(work, 'windowed-'));
    const chrome = spawn('/usr/bin/chromium', [...kChromiumArgs.filter((a) => a !== '--headless'), '--remote-debugging-port=0',
      `--user-data-dir=${profile}`, '--window-size=1000,760', 'about:blank'], { stdio: 'ignore', env: { ...process.env, DISPLAY: ':' + display } });
    t.after(() => chrome.kill());
    // Chromium names the port it took in its profile.
    const portFile = path.join(profile, 'DevToolsActivePort');
    for (let i = 0; i < 300 && !fs.existsSync(portFile); ++i) await sleep(100);
    await sleep(200);
    const browser = await chromium.connectOverCDP(`http://127.0.0.1:${Number(fs.readFileSync(portFile, 'utf8').split('\n')[0])}`, { noDefaults: true });
    const windowed = browser.contexts()[0];
    const page = await openGame(windowed, server.url);
    await toFirstTurn(page);
    const start = (await read(page)).clock;
    await pick(page, 'ЖДАТЬ');
    await keys(page, '3');
    await holdRight(page);
    await expectNoText(page, 'СКОЛЬКО МИНУТ', 'the right button held');
    await page.evaluate(() => {
      window.ticks = 0;
      setInterval(() => ++window.ticks, 50);
    });
    const cover = await windowed.newPage();
    await cover.goto('about:blank');
    assert.equal(await page.evaluate(() => document.visibilityState), 'hidden', 'the tab behind another one');
    const ticksBefore = await page.evaluate(() => window.ticks);
    await sleep(30000);
    // Visible, a 50 ms timer runs 20 times a second; hidden, about once.
    const ticks = (await page.evaluate(() => window.ticks)) - ticksBefore;
    await page.bringToFront();
    await cover.close();
    assert.equal(await page.evaluate(() => document.visibilityState), 'visible', 'the tab brought back');
    assert.ok(ticks <= 62, `timers were not held back while hidden: ${ticks} in 30 s`);
    await page.keyboard.type('5');
    await settle(page);
    await expectNoText(page, 'СКОЛЬКО МИНУТ', 'the right button still held after the tab came back');
    await page.mouse.up({ button: 'right' });
    await settle(page);
    assert.equal((await read(page)).rows[33].trim(), '>35_', 'the answer typed before and after the tab was hidden');
    await keys(page, '\r');
    await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the turn after the wait');
    assert.equal((await read(page)).clock, start + 35, 'the clock after 35 minutes waited');
    await browser.close();
  });
});
