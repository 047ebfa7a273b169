// The site on Chromium's emulated mobile networks (Fast 4G, Slow 4G; three times each in a new
// profile): the first help page by the page's clock and the bytes that came before it, the same
// page on a second visit (service worker); one game on Slow 4G, from a click on a place to its turn
// on screen; and a start that resumes 40 turns against a fresh one, Chromium's CPU 4x slower.
//
//   node bench/web/network.mjs [FILE]   (from tests/web's npm project; SKELLARINE_SITE, SKELLARINE_NATIVE)
import { serve, launch, openGame, toFirstTurn, pick, keys, click, rowY, at, expectText, read, settle, canvasHash,
  waitForKeptSite, site } from '../../tests/web/lib.mjs';
import { firstHelpDrawn, median, report } from './common.mjs';

const kNetworks = {
  'Fast 4G': { latency: 60, downloadThroughput: 9e6 / 8, uploadThroughput: 1.5e6 / 8 },
  'Slow 4G': { latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 },
};
const server = await serve('games/spy');

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
  return { page, ms, bytes };
}

// From the page's start to the game's first wait: the first help page, or the last screen of a
// journal of 40 turns.
async function resume() {
  const context = await launch({ serviceWorkers: 'block' });
  const page = await openGame(context, server.url);
  await toFirstTurn(page);
  for (let turn = 0; turn < 40; ++turn) {
    await pick(page, 'ЖДАТЬ');
    await keys(page, '5\r');
    // Whatever the game says in between is read and passed.
    for (let i = 0; i < 5 && (await page.evaluate(() => window.skellarine.wait.kind)) !== 'list'; ++i) await keys(page, '\r');
  }
  const journal = await page.evaluate(() => sessionStorage.getItem('skellarine journal'));
  await page.close();
  const start = async (kept) => {
    const p = await context.newPage();
    if (kept) await p.addInitScript((j) => sessionStorage.setItem('skellarine journal', j), journal);
    await (await context.newCDPSession(p)).send('Emulation.setCPUThrottlingRate', { rate: 4 });
    await p.goto(server.url);
    await p.waitForFunction(() => window.skellarine && window.skellarine.firstWaitMs, null, { timeout: 60000 });
    const { ms, resumed } = await p.evaluate(() => ({ ms: window.skellarine.firstWaitMs, resumed: window.skellarine.resumed }));
    await p.close();
    if (kept && resumed !== 'yes') throw new Error('the 40 turns were not resumed: ' + resumed);
    return ms;
  };
  const [fresh, resumed] = [[], []];
  for (let i = 0; i < 5; ++i) {
    fresh.push(await start(false));
    resumed.push(await start(true));
  }
  await context.close();
  return { journalChars: JSON.parse(journal).journal.length, freshMs: fresh.map(Math.round), resumedMs: resumed.map(Math.round),
    freshMedianMs: Math.round(median(fresh)), resumedMedianMs: Math.round(median(resumed)), beyondMs: Math.round(median(resumed) - median(fresh)) };
}

const results = { resume: await resume() };
for (const network of Object.keys(kNetworks)) {
  const [cold, second, bytes] = [[], [], []];
  for (let i = 0; i < 3; ++i) {
    const context = await launch();
    const first = await firstHelp(context, network);
    cold.push(first.ms);
    bytes.push(first.bytes);
    // Once the worker keeps the site (on the emulated network too), the second visit.
    await waitForKeptSite(first.page, site);
    await first.page.close();
    second.push((await firstHelp(context, network)).ms);
    await context.close();
  }
  results[network] = { firstHelpMs: cold, secondVisitMs: second, bytesBeforeHelp: bytes,
    firstHelpMedianMs: median(cold), secondVisitMedianMs: median(second), bytesMedian: median(bytes) };
}
// The player taking a few seconds over each turn, as a reader of the screen does; the turn is
// there when the canvas shows the place and the prompt (polled, so up to some 50 ms late).
const context = await launch();
const { page } = await firstHelp(context, 'Slow 4G');
await settle(page);
await toFirstTurn(page);
const times = [];
for (const place of ['ПОРТ', 'РАТУША', 'СТАНЦИЯ', 'ОТЕЛЬ', 'АРКАДА', 'ПОРТ', 'РАТУША', 'СТАНЦИЯ', 'ОТЕЛЬ', 'АРКАДА']) {
  await page.waitForTimeout(3000);
  await pick(page, 'ДВИГАТЬСЯ');
  await click(page, 320, rowY(33));
  const p = await at(page, 320, rowY(await expectText(page, ' ' + place, 'the list of places')));
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
results.turnPictureSlow4G = { ms: times, p95Ms: times.slice().sort((a, b) => a - b)[Math.ceil(0.95 * times.length) - 1] };
await context.close();
server.close();
report(results);
