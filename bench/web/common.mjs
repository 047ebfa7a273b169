// What the web benchmarks share beside the browser tests' helpers: the page's clock at the first
// help page, medians, and where the figures go (the file named first on the command line).
import fs from 'node:fs';

export const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];

export function report(results) {
  console.log(JSON.stringify(results));
  if (process.argv[2]) fs.writeFileSync(process.argv[2], JSON.stringify(results, null, 2) + '\n');
}

// The page's clock when the first help page is drawn (its blue fill).
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
