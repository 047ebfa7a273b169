// Browser tests of the web build in the system's Chromium: the site served from a sub-path of
// 127.0.0.1, the screen read back from the canvas with the autoplayer's glyph matching
// (web_player from the native build), a whole game won with clicks and keys, and one won from the
// accessibility tree alone, its text mirror checked against the canvas.
//
//   node browser_test.mjs --site build/web/site --native build/default [--only NAME,...] [--bench FILE]
//
// --bench also measures navigation to the first help page (median of 5, cold cache) and the idle
// CPU of the page at the command prompt over 10 s, and writes them to FILE as JSON.
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import fs from 'node:fs';
import { browserTests, option, finish, firstHelpDrawn, kWidth, kHeight } from './lib.mjs';
import { hiddenTab } from './hidden_tab.mjs';

const t = browserTests({ name: 'skellarine-web' });
const { native, webPlayer, read, dump, settle, expectText, expectNoText, canvasBox, at, click, keys, command,
  toFirstTurn, launch, openGame } = t;
const benchFile = option('bench', '');

// ---- The tests ----

const tests = {};

tests.help_pages = async (context, url) => {
  const page = await openGame(context, url);
  await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page');
  // F11 and Alt+Enter: the page's full screen, and no Enter for the game.
  const full = () => page.evaluate(() => (document.fullscreenElement ? document.fullscreenElement.id : ''));
  for (const combo of ['F11', 'Alt+Enter']) {
    await page.keyboard.press(combo);
    await page.waitForFunction(() => document.fullscreenElement !== null, null, { timeout: 5000 });
    if ((await full()) !== 'stage') throw new Error(`${combo} made ${await full()} full screen`);
    await settle(page);
    const box = await canvasBox(page);
    if (Math.abs(box.width * 3 - box.height * 4) > 4) throw new Error(`full screen is not 4:3: ${box.width} x ${box.height}`);
    await page.keyboard.press(combo);
    await page.waitForFunction(() => document.fullscreenElement === null, null, { timeout: 5000 });
  }
  await settle(page);
  await expectText(page, 'QUINTREL - SKELLARINE', 'the help page after the full-screen keys');
  // Keys the browser would take for itself stay with the game and do nothing there.
  await page.evaluate(() => { window.stillHere = true; });
  for (const key of ['Backspace', 'Tab', 'F5', 'F1', 'F3']) await page.keyboard.press(key);
  await settle(page);
  if (!(await page.evaluate(() => window.stillHere === true))) throw new Error('a key made the browser leave or reload the page');
  await expectText(page, 'QUINTREL - SKELLARINE', 'the help page after keys the game ignores');
  await keys(page, '\r');
  await expectNoText(page, 'QUINTREL - SKELLARINE', 'the second help page');
  let pages = 1;
  for (; pages < 8; ++pages) {
    const screen = await read(page, 'ПРОЧИТАЙТЕ ПИСЬМО НА');
    if (screen.found['ПРОЧИТАЙТЕ ПИСЬМО НА']) break;
    await keys(page, '\r');
  }
  if (pages >= 8) throw new Error('Enter did not lead through the help to the briefing');
  await page.close();
};

tests.whole_game = async (context, url) => {
  const page = await openGame(context, url);
  const player = spawn(webPlayer, ['play', native], { stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = createInterface({ input: player.stdout });
  let result = null;
  let steps = 0;
  for await (const line of lines) {
    const [word, ...rest] = line.split(' ');
    if (word === 'won' || word === 'fail') {
      result = line;
      break;
    }
    if (word === 'click') await click(page, Number(rest[0]), Number(rest[1]));
    else if (word === 'keys') await keys(page, Buffer.from(rest[0], 'hex').toString('latin1'));
    else if (word !== 'screen') throw new Error('web_player asked: ' + line);
    ++steps;
    player.stdin.write((await dump(page)) + '\n');
  }
  player.stdin.end();
  if (!result || !result.startsWith('won')) throw new Error(`the game was not won in the browser: ${result}`);
  console.log(`  ${result} (turns, game minutes) in ${steps} steps`);
  // ФИНИШ and Y: the page says that the game has ended and offers a new one.
  await page.waitForFunction(() => window.skellarine.state === 'ended', null, { timeout: 10000 });
  const shown = await page.evaluate(() => ({
    text: document.getElementById('message-text').textContent,
    visible: !document.getElementById('message').hidden,
    again: !document.getElementById('again').hidden,
    status: window.skellarine.exitStatus,
  }));
  if (!shown.visible || !/окончена/.test(shown.text) || !shown.again || shown.status !== 0) {
    throw new Error('after ФИНИШ and Y the page does not say the game ended: ' + JSON.stringify(shown));
  }
  await page.click('#again');
  await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'running', null, { timeout: 30000 });
  await settle(page);
  await expectText(page, 'QUINTREL - SKELLARINE', 'the game started again');
  await page.close();
};

tests.words_game = async (shared, url) => {
  // A service worker would answer past the route that holds the data back.
  const own = await launch({ serviceWorkers: 'block' });
  try {
    await t.playByAccessibility(own, url, 'Enter', true);
  } finally {
    await own.close();
  }
};

tests.peek = async (context, url) => {
  const page = await openGame(context, url);
  await toFirstTurn(page);
  const p = await at(page, 320, 200);
  await page.mouse.move(p.x, p.y);
  await page.mouse.down({ button: 'right' });
  await settle(page);
  const bare = await read(page, 'ВАШИ ДЕЙСТВИЯ', 'ЭТО ');
  const textLeft = Object.values(bare.rows).filter((t) => t.replace(/[~ ]/g, '') !== '');
  if (bare.found['ВАШИ ДЕЙСТВИЯ'] || bare.found['ЭТО ']) throw new Error('the right button shows the rows:\n' + bare.text);
  if (textLeft.length > 0) throw new Error('text on the bare picture:\n' + bare.text);
  const menuOpened = await page.evaluate(() => document.querySelectorAll('[role=menu]').length);
  await page.mouse.up({ button: 'right' });
  await settle(page);
  await expectText(page, 'ВАШИ ДЕЙСТВИЯ', 'the rows after the right button is let go');
  await expectText(page, 'ЭТО ', 'the rows after the right button is let go');
  if (menuOpened) throw new Error('a context menu opened');
  // The right button did not count as a click: the list is still closed.
  await expectNoText(page, ' ДВИГАТЬСЯ', 'the command list after the peek');
  await page.close();
};

tests.resize = async (context, url) => {
  const page = await openGame(context, url);
  await toFirstTurn(page);
  // The largest 4:3 screen that fits, whole multiple or not.
  const sizes = [{ width: 1400, height: 1000 }, { width: 700, height: 900 }, { width: 500, height: 420 }];
  let debug = false;
  for (const size of sizes) {
    await page.setViewportSize({ width: size.width, height: size.height });
    await settle(page);
    const box = await canvasBox(page);
    const wanted = Math.floor(kWidth * Math.min(size.width / kWidth, size.height / kHeight));
    if (Math.abs(box.width * 3 - box.height * 4) > 4) throw new Error(`not 4:3 at ${size.width} x ${size.height}: ${box.width} x ${box.height}`);
    if (Math.abs(box.width - wanted) > 1) throw new Error(`at ${size.width} x ${size.height} the screen is ${box.width} wide, not ${wanted}`);
    // Clicks land on the right rows: ХИТРИТЬ answers on row 32.
    await command(page, 'ХИТРИТЬ');
    debug = !debug;
    const row = await expectText(page, debug ? 'DEBUG IS ON' : 'DEBUG IS OFF', `ХИТРИТЬ at ${size.width} x ${size.height}`);
    if (row !== 32) throw new Error(`the answer to ХИТРИТЬ is on row ${row}`);
  }
  await page.close();
};

tests.faults = async (shared, url) => {
  // A browser of its own: a service worker would answer from its cache, past the routes.
  const context = await launch({ serviceWorkers: 'block' });
  try {
    await downloadFaults(context, url);
  } finally {
    await context.close();
  }
};

async function downloadFaults(context, url) {
  // Data that fails to download: a message instead of a blank canvas.
  let page = await context.newPage();
  await page.route('**/skellarine.data*', (route) => route.fulfill({ status: 404, body: 'gone' }));
  await page.goto(url);
  await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'error', null, { timeout: 20000 });
  let text = await page.locator('#message-text').textContent();
  if (!/Не удалось загрузить/.test(text) || (await page.locator('#message').isHidden())) throw new Error('no message for failed data: ' + text);
  await page.close();
  // A browser without WebAssembly.
  page = await context.newPage();
  await page.addInitScript(() => { delete window.WebAssembly; });
  await page.goto(url);
  await page.waitForFunction(() => window.skellarine && window.skellarine.state === 'error', null, { timeout: 20000 });
  text = await page.locator('#message-text').textContent();
  if (!/WebAssembly/.test(text)) throw new Error('no message without WebAssembly: ' + text);
  await page.close();
}

tests.background = async (context, url) => {
  // A tab frozen in the background and brought back goes on where it was and takes keys.
  const page = await openGame(context, url);
  await expectText(page, 'QUINTREL - SKELLARINE', 'the first help page');
  const cdp = await context.newCDPSession(page);
  await cdp.send('Page.setWebLifecycleState', { state: 'frozen' });
  await new Promise((resolve) => setTimeout(resolve, 1500));
  await cdp.send('Page.setWebLifecycleState', { state: 'active' });
  await settle(page);
  await expectText(page, 'QUINTREL - SKELLARINE', 'the help page after the tab came back');
  await keys(page, '\r');
  await expectNoText(page, 'QUINTREL - SKELLARINE', 'Enter after the tab came back');
  if ((await page.evaluate(() => window.skellarine.state)) !== 'running') throw new Error('the game stopped');
  await page.close();
};

tests.hidden_tab = async (context, url) => {
  await hiddenTab(t, url);
};

// ---- Benchmarks (not timed tests) ----

async function bench(context, url) {
  const results = {};
  // Navigation to the first help page drawn (its blue fill), by the page's own clock, cold cache.
  const times = [];
  for (let i = 0; i < 5; ++i) {
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Network.enable');
    await cdp.send('Network.clearBrowserCache');
    await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
    await page.goto(url);
    const ms = await firstHelpDrawn(page);
    times.push(ms);
    await page.close();
  }
  times.sort((a, b) => a - b);
  results.firstHelpMs = times;
  results.firstHelpMedianMs = times[2];
  // Idle at the command prompt: Chromium's own task durations over 10 s.
  const page = await openGame(context, url);
  await toFirstTurn(page);
  const cdp = await context.newCDPSession(page);
  await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });
  const metric = async () => Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
  const before = await metric();
  await page.waitForTimeout(10000);
  const after = await metric();
  results.idleTaskSeconds = after.TaskDuration - before.TaskDuration;
  results.idleWallSeconds = after.Timestamp - before.Timestamp;
  results.idleCorePercent = (100 * results.idleTaskSeconds) / results.idleWallSeconds;
  await page.close();
  return results;
}

// ---- Running ----

const { server, url } = await t.serve('games/spy/skellarine');
const context = await launch();
let counts;
try {
  counts = await t.runTests(tests, (test) => test(context, url));
  if (benchFile) {
    const results = await bench(context, url);
    fs.writeFileSync(benchFile, JSON.stringify(results, null, 2) + '\n');
    console.log('bench', JSON.stringify(results));
  }
} finally {
  await context.close();
  server.kill();
  t.removeWork();
}
finish(counts);
