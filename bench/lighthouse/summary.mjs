// The median of Lighthouse's runs (their JSON reports): each category's score, CLS, TBT and LCP,
// with every run's figures beside it, and what kept a category below 100.
import fs from 'node:fs';

const reports = process.argv.slice(2).map((f) => JSON.parse(fs.readFileSync(f, 'utf8')));
const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];
const figures = {
  performance: (r) => Math.round(100 * r.categories.performance.score),
  accessibility: (r) => Math.round(100 * r.categories.accessibility.score),
  'best practices': (r) => Math.round(100 * r.categories['best-practices'].score),
  SEO: (r) => Math.round(100 * r.categories.seo.score),
  'CLS': (r) => +r.audits['cumulative-layout-shift'].numericValue.toFixed(3),
  'TBT ms': (r) => Math.round(r.audits['total-blocking-time'].numericValue),
  'LCP ms': (r) => Math.round(r.audits['largest-contentful-paint'].numericValue),
  'FCP ms': (r) => Math.round(r.audits['first-contentful-paint'].numericValue),
};
console.log(`Lighthouse ${reports[0].lighthouseVersion}, ${reports[0].configSettings.formFactor}, ${reports.length} runs`);
for (const [name, get] of Object.entries(figures)) {
  const values = reports.map(get);
  console.log(`${name}: ${median(values)} (${values.join(', ')})`);
}
for (const [i, r] of reports.entries()) {
  for (const category of Object.values(r.categories)) {
    if (category.score === 1) continue;
    const failing = category.auditRefs.filter((a) => a.weight > 0 && r.audits[a.id].score !== null && r.audits[a.id].score < 1)
      .map((a) => `${a.id} ${r.audits[a.id].score}`);
    console.log(`run ${i + 1} ${category.id}: ${failing.join(', ')}`);
  }
}
