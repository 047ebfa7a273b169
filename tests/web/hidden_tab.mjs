// A game tab really hidden behind another one. A browser that playwright launches keeps every page
// "visible" (its focus emulation, its flags against background throttling), so this Chromium runs
// with a window on a virtual X display and playwright only attaches to it, leaving its defaults
// alone: a tab opened over the game hides it, and the browser then runs its timers once a second.
import { chromium } from 'playwright-core';
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { kChromiumArgs } from './lib.mjs';

const kHiddenSeconds = 30;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function waitFor(what, probe, ms) {
  const end = Date.now() + ms;
  for (;;) {
    const value = probe();
    if (value) return value;
    if (Date.now() > end) throw new Error(`no ${what} after ${ms / 1000} s`);
    await sleep(100);
  }
}

// Xvfb and a windowed Chromium with remote debugging; close() ends both.
async function windowedChromium(work) {
  const log = fs.openSync(path.join(work, 'windowed.log'), 'a');
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', log, log, 'pipe'] });
  let chrome = null;
  let browser = null;
  const close = async () => {
    if (browser) await browser.close().catch(() => {});
    for (const child of [chrome, xvfb]) {
      if (!child || child.exitCode !== null || child.signalCode !== null) continue;
      const ended = new Promise((resolve) => child.once('exit', resolve));
      child.kill();
      await Promise.race([ended, sleep(5000)]);
    }
    fs.closeSync(log);
  };
  try {
    let digits = '';
    xvfb.stdio[3].on('data', (d) => { digits += d; });
    const display = await waitFor('X display from Xvfb', () => /\n/.test(digits) && digits.trim(), 10000);
    const profile = fs.mkdtempSync(path.join(work, 'windowed-'));
    chrome = spawn('/usr/bin/chromium', [...kChromiumArgs.filter((a) => a !== '--headless'),
      '--remote-debugging-port=0', `--user-data-dir=${profile}`, '--window-size=1000,760', 'about:blank'],
    { stdio: ['ignore', log, log], env: { ...process.env, DISPLAY: ':' + display } });
    // Chromium names the port it took in its profile.
    const portFile = path.join(profile, 'DevToolsActivePort');
    const port = await waitFor('DevTools port from Chromium', () => {
      if (chrome.exitCode !== null) throw new Error('Chromium ended: see ' + path.join(work, 'windowed.log'));
      const lines = fs.existsSync(portFile) ? fs.readFileSync(portFile, 'utf8').split('\n') : [];
      return lines.length > 1 && Number(lines[0]);
    }, 30000);
    browser = await chromium.connectOverCDP(`http://127.0.0.1:${port}`, { noDefaults: true });
    return { context: browser.contexts()[0], close };
  } catch (error) {
    await close();
    throw error;
  }
}

// Hides the game's tab behind a new one for a while and brings it back, checking that the game
// really was hidden and its timers held back to about once a second meanwhile.
async function hideFor(context, page, seconds) {
  await page.evaluate(() => {
    if (!window.hiddenTabLog) {
      document.addEventListener('visibilitychange', () => window.hiddenTabLog.states.push(document.visibilityState));
    }
    window.hiddenTabLog = { states: [], ticks: 0 };
    const tick = () => {
      ++window.hiddenTabLog.ticks;
      window.hiddenTabLog.timer = setTimeout(tick, 50);
    };
    tick();
  });
  const cover = await context.newPage();
  await cover.goto('about:blank');
  const hidden = await page.evaluate(() => document.visibilityState);
  if (hidden !== 'hidden') throw new Error(`the game's tab behind another one is "${hidden}"`);
  const ticksBefore = await page.evaluate(() => window.hiddenTabLog.ticks);
  await sleep(seconds * 1000);
  const ticks = (await page.evaluate(() => window.hiddenTabLog.ticks)) - ticksBefore;
  await page.bringToFront();
  await cover.close();
  const log = await page.evaluate(() => {
    clearTimeout(window.hiddenTabLog.timer);
    return { state: document.visibilityState, states: window.hiddenTabLog.states };
  });
  if (log.state !== 'visible' || log.states.join() !== 'hidden,visible') {
    throw new Error(`the tab did not hide and come back: ${log.states.join()}, now ${log.state}`);
  }
  // Visible, a 50 ms timer runs 20 times a second.
  if (ticks > seconds * 2 + 2) throw new Error(`timers were not held back while hidden: ${ticks} in ${seconds} s`);
  return ticks;
}

// t: the browser tests' helpers (lib.mjs); webPlayer and native to read the clock.
export async function hiddenTab(t, url) {
  const browser = await windowedChromium(t.work);
  try {
    const page = await t.openGame(browser.context, url);
    const clock = async () => {
      const out = execFileSync(t.webPlayer, ['read', t.native, await t.dump(page)], { encoding: 'utf8' });
      const m = /^clock (-?\d+)$/m.exec(out);
      if (!m || Number(m[1]) < 0) throw new Error('no clock on the screen');
      return Number(m[1]);
    };
    const inputRow = async () => (await t.read(page)).rows[33].trim();
    await t.toFirstTurn(page);

    // At a typed answer with a digit already in: keys typed at once on coming back all land once.
    const start = await clock();
    await t.command(page, 'ЖДАТЬ');
    await t.expectText(page, 'СКОЛЬКО МИНУТ', 'the question of ЖДАТЬ');
    await t.keys(page, '4');
    if ((await inputRow()) !== '>4_') throw new Error(`the typed answer shows ${await inputRow()}`);
    const ticks1 = await hideFor(browser.context, page, kHiddenSeconds);
    await page.keyboard.press('Backspace');
    await page.keyboard.type('27');
    await t.settle(page);
    if ((await inputRow()) !== '>27_') throw new Error(`after the tab came back the typed answer shows ${await inputRow()}, not >27_`);
    await t.keys(page, '\r');
    await t.expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the turn after the wait');
    if ((await clock()) !== start + 27) throw new Error(`27 minutes waited moved the clock from ${start} to ${await clock()}`);

    // In the middle of a pause: the right button held shows the bare picture, and the game pauses
    // without reading keys until it is let go. Keys typed meanwhile wait for the answer, once each.
    await t.command(page, 'ЖДАТЬ');
    await t.expectText(page, 'СКОЛЬКО МИНУТ', 'the question of ЖДАТЬ');
    await t.keys(page, '3');
    const p = await t.at(page, 320, 200);
    await page.mouse.move(p.x, p.y);
    await page.mouse.down({ button: 'right' });
    await t.settle(page);
    await t.expectNoText(page, 'СКОЛЬКО МИНУТ', 'the right button held');
    const ticks2 = await hideFor(browser.context, page, kHiddenSeconds);
    await page.keyboard.type('5');
    await t.settle(page);
    await t.expectNoText(page, 'СКОЛЬКО МИНУТ', 'the right button still held after the tab came back');
    await page.mouse.up({ button: 'right' });
    await t.settle(page);
    if ((await inputRow()) !== '>35_') throw new Error(`after the tab came back the typed answer shows ${await inputRow()}, not >35_`);
    await page.keyboard.press('Enter');
    await t.settle(page);
    await t.expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the turn after the second wait');
    if ((await clock()) !== start + 27 + 35) throw new Error(`35 more minutes moved the clock to ${await clock()}, not ${start + 62}`);
    console.log(`  hidden ${kHiddenSeconds} s twice: ${ticks1} and ${ticks2} runs of a 50 ms timer`);
    await page.close();
  } finally {
    await browser.close();
  }
}
