// Builds the lunar year table of deskwatch (src/platform/lunar/lunar_table.cpp) from the
// months derived by astronomy (astro-calendar.js), after checking every day of the covered
// range against four other calendars. Every disagreement is written to cross-check.txt
// with the verdict of the astronomical rule and how close the deciding event lies to
// midnight. Run: npm ci && node generate.js
'use strict';

const fs = require('fs');
const path = require('path');
const astro = require('./astro-calendar.js');
const { sources } = require('./sources.js');

const FIRST_YEAR = 1901;
const LAST_YEAR = 2048;
const FIRST_DAY = astro.dayNumber(1901, 2, 19);
const LAST_DAY = astro.dayNumber(2048, 12, 31);
const ROOT = path.resolve(__dirname, '..', '..');
const TABLE_CPP = path.join(ROOT, 'src/platform/lunar/lunar_table.cpp');
const REPORT = path.join(__dirname, 'cross-check.txt');

const fmt = (v) => (v ? `${v.leap ? 'leap ' : ''}${v.month}/${v.day}` : 'none');
const same = (a, b) => a && b && a.month === b.month && a.leap === b.leap && a.day === b.day;

const lines = [];
const say = (s = '') => {
  lines.push(s);
  console.log(s);
};

const months = astro.deriveMonths(480);
const lookup = astro.makeLookup(months);

// 1. Every day against every source; consecutive disagreeing days form one range.
say('Days checked: ' + astro.iso(FIRST_DAY) + ' .. ' + astro.iso(LAST_DAY) +
    ` (${LAST_DAY - FIRST_DAY + 1} days)`);
const disagreements = {};
for (const name of Object.keys(sources)) {
  const ranges = [];
  let open = null;
  for (let day = FIRST_DAY; day <= LAST_DAY; ++day) {
    const c = astro.civilOf(day);
    const want = lookup(day);
    const got = sources[name](c.year, c.month, c.day);
    if (same(want, got)) {
      open = null;
      continue;
    }
    if (open && open.last === day - 1) {
      open.last = day;
    } else {
      open = { first: day, last: day, want, got };
      ranges.push(open);
    }
  }
  disagreements[name] = ranges;
}

// 2. How firm is each verdict: the months that change when every instant moves by 2 minutes
//    (far beyond the error of the ephemeris), and the new moons closest to midnight.
const shifted = [-2, 2].map((s) => astro.makeLookup(astro.deriveMonths(480, s)));
const fragileDays = (first, last) => {
  for (let day = first; day <= last; ++day)
    for (const l of shifted) if (!same(l(day), lookup(day))) return true;
  return false;
};
const margins = astro.newMoonMargins(480);
const nearestNewMoon = (day) => {
  let best = null;
  for (const m of margins)
    if (Math.abs(m.day - day) <= 31 && (!best || Math.abs(m.day - day) < Math.abs(best.day - day)))
      best = m;
  return best;
};

say();
say('Disagreements with the astronomical derivation (UTC+8, modern rule):');
for (const [name, ranges] of Object.entries(disagreements)) {
  say(`- ${name}: ${ranges.length} range(s)`);
  for (const r of ranges) {
    const nm = nearestNewMoon(r.first);
    const nmText = nm ? `, nearest new moon ${new Date(nm.ms).toISOString()} ` +
        `(${nm.minutes.toFixed(1)} min from midnight UTC+8)` : '';
    say(`    ${astro.iso(r.first)} .. ${astro.iso(r.last)}: astronomy ${fmt(r.want)}, ` +
        `${name} ${fmt(r.got)}; settled: astronomy` +
        (fragileDays(r.first, r.last) ? ' [CHANGES UNDER A 2-MINUTE SHIFT]' : '') + nmText);
  }
}

// 3. The closest calls of the whole range, for the record.
say();
say('New moons within 10 minutes of midnight UTC+8 in the covered range:');
for (const m of margins) {
  if (m.day < FIRST_DAY - 30 || m.day > LAST_DAY + 30 || m.minutes >= 10) continue;
  say(`    ${new Date(m.ms).toISOString()} -> ${m.minutes.toFixed(1)} min`);
}
say('Months that would change if every event moved by 2 minutes, and the sources agreeing');
say('with the derivation on their first day:');
let fragileRun = null;
for (let day = FIRST_DAY; day <= LAST_DAY + 1; ++day) {
  const isFragile = day <= LAST_DAY && shifted.some((l) => !same(l(day), lookup(day)));
  if (isFragile && !fragileRun) fragileRun = { first: day };
  if (!isFragile && fragileRun) {
    const c = astro.civilOf(fragileRun.first);
    const agree = Object.keys(sources).filter((n) => same(sources[n](c.year, c.month, c.day),
                                                          lookup(fragileRun.first)));
    say(`    ${astro.iso(fragileRun.first)} .. ${astro.iso(day - 1)}: ` +
        `${fmt(lookup(fragileRun.first))}; agreeing: ${agree.join(', ') || 'none'}`);
    fragileRun = null;
  }
}

// 4. Before 1929 the calendar was reckoned in Beijing local time (116°25' E); list where
//    that would differ from UTC+8 (the table follows UTC+8 throughout).
const beijing = astro.makeLookup(astro.deriveMonths(7 * 60 + 45 + 40 / 60));
const oldRanges = [];
for (let day = FIRST_DAY; day <= astro.dayNumber(1928, 12, 31); ++day) {
  if (same(beijing(day), lookup(day))) continue;
  const last = oldRanges[oldRanges.length - 1];
  if (last && last.last === day - 1) last.last = day;
  else oldRanges.push({ first: day, last: day, want: lookup(day), got: beijing(day) });
}
say();
say('1901-1928 under Beijing local time instead of UTC+8 (not used; for reference):');
for (const r of oldRanges)
  say(`    ${astro.iso(r.first)} .. ${astro.iso(r.last)}: UTC+8 ${fmt(r.want)}, ` +
      `Beijing local ${fmt(r.got)}`);
if (oldRanges.length === 0) say('    no difference');

// 5. The table: per lunar year, bits 0-12 month lengths in order (1 = 30 days), bits 13-16
//    the leap month (0 none), bits 17-22 the day of the year of New Year (0 = 1 January).
const words = [];
for (let y = FIRST_YEAR; y <= LAST_YEAR; ++y) {
  const ms = months.filter((m) => m.year === y);
  const first = ms[0];
  if (first.month !== 1 || first.leap) throw new Error(`year ${y} does not start with month 1`);
  const offset = first.start - astro.dayNumber(y, 1, 1);
  if (offset < 0 || offset > 63) throw new Error(`New Year ${y} out of range`);
  let bits = 0;
  let leapMonth = 0;
  ms.forEach((m, i) => {
    const len = m.end - m.start;
    if (len !== 29 && len !== 30) throw new Error(`month of ${len} days`);
    if (len === 30) bits |= 1 << i;
    if (m.leap) leapMonth = m.month;
  });
  if (ms.length !== (leapMonth ? 13 : 12)) throw new Error(`year ${y}: ${ms.length} months`);
  words.push((bits | (leapMonth << 13) | (offset << 17)) >>> 0);
}

// Decode the words the way the widget does and compare with the derivation, day by day.
function decode(day) {
  for (let i = words.length - 1; i >= 0; --i) {
    const y = FIRST_YEAR + i;
    const ny = astro.dayNumber(y, 1, 1) + (words[i] >>> 17);
    if (day < ny) continue;
    const leapMonth = (words[i] >>> 13) & 15;
    let off = day - ny;
    const count = leapMonth ? 13 : 12;
    for (let k = 0, number = 0; k < count; ++k) {
      const leap = leapMonth !== 0 && k === leapMonth;
      if (!leap) ++number;
      const len = (words[i] >>> k) & 1 ? 30 : 29;
      if (off < len) return { month: number, leap, day: off + 1 };
      off -= len;
    }
    return null;
  }
  return null;
}
for (let day = FIRST_DAY; day <= LAST_DAY; ++day)
  if (!same(decode(day), lookup(day))) throw new Error('table decodes wrong at ' + astro.iso(day));
say();
say(`Table: ${words.length} years, ${words.length * 4} bytes; decodes to the derivation on every day.`);

const rows = [];
for (let i = 0; i < words.length; i += 6)
  rows.push('    ' + words.slice(i, i + 6).map((w) => '0x' + w.toString(16).padStart(6, '0') + 'u').join(', ') + ',');
const cpp = `// Lunar years ${FIRST_YEAR}-${LAST_YEAR}, generated by tools/lunar-gen/generate.js: do not edit.
// Derived from new moons and major solar terms in UTC+8 and cross-checked day by day
// against other calendars (tools/lunar-gen/cross-check.txt).
#include "platform/lunar/lunar_table.h"

namespace dw::platform::lunar_table {

// clang-format off
const std::uint32_t kYears[kYearCount] = {
${rows.join('\n')}
};
// clang-format on

}  // namespace dw::platform::lunar_table
`;
fs.writeFileSync(TABLE_CPP, cpp);
fs.writeFileSync(REPORT, lines.join('\n') + '\n');
console.log('wrote ' + path.relative(ROOT, TABLE_CPP) + ' and ' + path.relative(ROOT, REPORT));
