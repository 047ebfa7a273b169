// Navigation to the first help page drawn, by the page's own clock with the browser cache cleared
// and disabled (median of 5), and the page idle at the command prompt: Chromium's task durations
// over 10 s.
//
//   node bench/web/page.mjs [FILE]   (from tests/web's npm project; SKELLARINE_SITE, SKELLARINE_NATIVE)
import { serve, launch, openGame, toFirstTurn } from '../../tests/web/lib.mjs';
import { firstHelpDrawn, median, report } from './common.mjs';

const server = await serve('games/spy/skellarine');
const context = await launch();
const results = { firstHelpMs: [] };
for (let i = 0; i < 5; ++i) {
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  await cdp.send('Network.clearBrowserCache');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  await page.goto(server.url);
  results.firstHelpMs.push(await firstHelpDrawn(page));
  await page.close();
}
results.firstHelpMedianMs = median(results.firstHelpMs);
const page = await openGame(context, server.url);
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
await context.close();
server.close();
report(results);
