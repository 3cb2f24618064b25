// Compares every line of `deskwatch-calendar` with the lunar dates derived here from
// astronomy (not from the packed table), over the covered range and a margin outside it.
// Usage: node check-calendar.js PATH/TO/deskwatch-calendar [--write-digest]
// --write-digest stores the SHA-256 of the expected listing of the covered range in
// tests/lunar/, where a ctest compares the program's output with it.
'use strict';

const { execFileSync } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const astro = require('./astro-calendar.js');

const MONTHS = ['正月', '二月', '三月', '四月', '五月', '六月', '七月', '八月', '九月', '十月',
  '冬月', '腊月'];
const TENS = ['初', '十', '廿'];
const UNITS = ['一', '二', '三', '四', '五', '六', '七', '八', '九', '十'];

function dayName(d) {
  if (d === 10) return '初十';
  if (d === 20) return '二十';
  if (d === 30) return '三十';
  return TENS[Math.floor((d - 1) / 10)] + UNITS[(d - 1) % 10];
}

const binary = process.argv[2];
if (!binary) {
  console.error('usage: node check-calendar.js PATH/TO/deskwatch-calendar [--write-digest]');
  process.exit(2);
}

const FIRST = astro.dayNumber(1901, 2, 19);
const LAST = astro.dayNumber(2048, 12, 31);
const FROM = FIRST - 60;
const TO = LAST + 60;
const lookup = astro.makeLookup(astro.deriveMonths(480));

function expectedLine(day) {
  const weekday = ((new Date(day * astro.DAY_MS).getUTCDay() + 6) % 7) + 1;
  const l = day >= FIRST && day <= LAST ? lookup(day) : null;
  const month = l ? (l.leap ? '闰' : '') + MONTHS[l.month - 1] : '';
  const name = l ? dayName(l.day) : '';
  return `${astro.iso(day)}\t${month}\t${name}\t${weekday}`;
}

const output = execFileSync(binary, [astro.iso(FROM), astro.iso(TO)], {
  encoding: 'utf8',
  maxBuffer: 64 << 20,
}).split('\n');
if (output[output.length - 1] === '') output.pop();

let mismatches = 0;
const covered = [];
for (let day = FROM; day <= TO; ++day) {
  const want = expectedLine(day);
  const got = output[day - FROM];
  if (day >= FIRST && day <= LAST) covered.push(want);
  if (got !== want) {
    if (mismatches < 20) console.log(`MISMATCH\n  want ${want}\n  got  ${got}`);
    ++mismatches;
  }
}
if (output.length !== TO - FROM + 1) {
  console.log(`line count ${output.length}, expected ${TO - FROM + 1}`);
  ++mismatches;
}

const digest = crypto.createHash('sha256').update(covered.join('\n') + '\n').digest('hex');
console.log(`${TO - FROM + 1} dates checked (${astro.iso(FROM)} .. ${astro.iso(TO)}), ` +
            `${covered.length} of them covered: ${mismatches} mismatch(es)`);
console.log(`expected listing ${astro.iso(FIRST)} .. ${astro.iso(LAST)}: sha256 ${digest}`);
if (process.argv.includes('--write-digest')) {
  const file = path.resolve(__dirname, '../../tests/lunar/calendar-1901-2048.sha256');
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, digest + '\n');
  console.log('wrote ' + file);
}
process.exit(mismatches === 0 ? 0 : 1);
