// The screen and the touch controls on phones, a tablet and laptops (bench/README's tables): the
// glyph cell (16 x 14 game pixels) in CSS px and the screen's share of the window, the smallest
// command and place buttons, the smallest keypad key and the size of the screen's text in the page.
//
//   node bench/web/screens.mjs [FILE]   (from tests/web's npm project; SKELLARINE_SITE, SKELLARINE_NATIVE)
import { serve, openGame, toFirstTurn, pickByTouch, pad, waitFor, settle, phone, portrait, launchBrowser, kWidth, kHeight } from '../../tests/web/lib.mjs';
import { report } from './common.mjs';

const profiles = {
  landscape: phone, portrait, small: { viewport: { width: 360, height: 640 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
  tablet: { viewport: { width: 820, height: 1180 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
  laptop: { viewport: { width: 1366, height: 768 }, deviceScaleFactor: 1 }, desktop: { viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 1 },
};
const server = await serve('games/skellarine');
const browser = await launchBrowser();
const smallest = (page, selector) => page.$$eval(selector, (bs) => Math.round(Math.min(...bs.map((b) => b.getBoundingClientRect()).map((b) => Math.min(b.width, b.height)))));
async function screen(page) {
  const b = await page.locator('#canvas').boundingBox();
  const v = page.viewportSize();
  return { cell: `${((16 * b.width) / kWidth).toFixed(1)} x ${((14 * b.height) / kHeight).toFixed(1)}`, share: +(100 * Math.max(b.width / v.width, b.height / v.height)).toFixed(1) };
}
const results = {};
for (const [name, profile] of Object.entries(profiles)) {
  const page = await openGame(browser, server.url, profile);
  const f = (results[name] = await screen(page));
  if (name === 'landscape') {
    // The button is offered until the first tap, which goes full screen too.
    await page.locator('#full').tap();
    await page.waitForFunction(() => document.fullscreenElement !== null, null, { timeout: 5000 });
    await settle(page);
    results.landscapeFull = await screen(page);
  }
  if (profile.hasTouch) {
    await toFirstTurn(page, true);
    f.commandButtons = await smallest(page, '#choices button');
    await pickByTouch(page, 'ЖДАТЬ');
    await waitFor(page, (w) => w.kind === 'typed', 'ЖДАТЬ');
    f.keypadKey = await smallest(page, '#keypad button');
    await pad(page, '5\r');
    await waitFor(page, (w) => w.kind === 'list', 'the next turn');
    await pickByTouch(page, 'ДВИГАТЬСЯ');
    f.placeButtons = await smallest(page, '#choices button');
    await pickByTouch(page, (await waitFor(page, (w) => w.list === 2, 'the places')).entries[7].text.trim());
    f.mirrorPx = await page.$eval('#rows p', (p) => parseFloat(getComputedStyle(p).fontSize));
  }
  await page.context().close();
}
await browser.close();
server.close();
report(results);
