// Derives the lunar months 1900-2050 from new moons and major solar terms (zhongqi)
// computed by astronomy-engine, with the modern rule:
//  - a month starts on the civil day (in the given time zone, UTC+8 by default) of a new moon;
//  - month 11 is the month that contains the winter solstice;
//  - when 13 months lie between two month-11s, the first of them without a zhongqi is the
//    leap month and repeats the number of the month before it.
'use strict';

const Astronomy = require('astronomy-engine');

const DAY_MS = 86400e3;

// Days since 1970-01-01 of a civil date.
function dayNumber(y, m, d) {
  return Math.floor(Date.UTC(y, m - 1, d) / DAY_MS);
}

function civilOf(day) {
  const t = new Date(day * DAY_MS);
  return { year: t.getUTCFullYear(), month: t.getUTCMonth() + 1, day: t.getUTCDate() };
}

function iso(day) {
  const c = civilOf(day);
  return `${c.year}-${String(c.month).padStart(2, '0')}-${String(c.day).padStart(2, '0')}`;
}

// Instants (ms since epoch) of every new moon and every zhongqi between two dates.
function events(fromMs, toMs) {
  const newMoons = [];
  let t = new Date(fromMs);
  while (t.getTime() < toMs) {
    const nm = Astronomy.SearchMoonPhase(0, t, 40);
    newMoons.push(nm.date.getTime());
    t = new Date(nm.date.getTime() + DAY_MS);
  }
  const zhongqi = [];  // { ms, lon }
  const startLon = Astronomy.SunPosition(new Date(fromMs)).elon;
  let lon = (Math.floor(startLon / 30) + 1) * 30 % 360;
  t = new Date(fromMs);
  while (t.getTime() < toMs) {
    const q = Astronomy.SearchSunLongitude(lon, t, 40);
    zhongqi.push({ ms: q.date.getTime(), lon });
    t = new Date(q.date.getTime() + DAY_MS);
    lon = (lon + 30) % 360;
  }
  return { newMoons, zhongqi };
}

let cachedEvents = null;
function allEvents() {
  if (!cachedEvents) cachedEvents = events(Date.UTC(1900, 9, 1), Date.UTC(2050, 5, 1));
  return cachedEvents;
}

// The months under a time zone of offsetMinutes east of UTC, every instant moved by
// shiftMinutes (to see which months hang on a few minutes).
// Returns [{ start, end, year, month, leap }] with start/end as day numbers (end exclusive).
function deriveMonths(offsetMinutes = 480, shiftMinutes = 0) {
  const { newMoons, zhongqi } = allEvents();
  const toDay = (ms) => Math.floor((ms + (offsetMinutes + shiftMinutes) * 60e3) / DAY_MS);
  const starts = newMoons.map(toDay);
  const zqDays = zhongqi.map((z) => ({ day: toDay(z.ms), lon: z.lon }));
  const solstices = zqDays.filter((z) => z.lon === 270).map((z) => z.day);

  const monthIndexOf = (day) => {
    for (let i = 0; i + 1 < starts.length; ++i)
      if (starts[i] <= day && day < starts[i + 1]) return i;
    throw new Error('day outside the computed months: ' + iso(day));
  };
  const hasZhongqi = (i) => zqDays.some((z) => z.day >= starts[i] && z.day < starts[i + 1]);

  const m11 = solstices.map(monthIndexOf);
  const months = [];
  for (let k = 0; k + 1 < m11.length; ++k) {
    const a = m11[k];
    const b = m11[k + 1];
    const count = b - a;
    if (count !== 12 && count !== 13) throw new Error('sui of ' + count + ' months');
    let leapIndex = -1;
    if (count === 13) {
      for (let i = a + 1; i < b; ++i) {
        if (!hasZhongqi(i)) {
          leapIndex = i;
          break;
        }
      }
      if (leapIndex < 0) throw new Error('13-month sui without a month lacking zhongqi');
    }
    // Months a .. b-1: numbered 11, 12, 1, 2, ... with the leap month repeating a number.
    let number = 11;
    for (let i = a; i < b; ++i) {
      let leap = false;
      if (i === leapIndex) {
        leap = true;
      } else if (i !== a) {
        number = number % 12 + 1;
      }
      months.push({ start: starts[i], end: starts[i + 1], month: number, leap });
    }
  }
  // Lunar year: the Gregorian year in which that year's month 1 starts; months 11 and 12
  // before the first month 1 belong to the year before it.
  const first = months.findIndex((m) => m.month === 1 && !m.leap);
  let year = civilOf(months[first].start).year - 1;
  months.forEach((m, i) => {
    if (i >= first && m.month === 1 && !m.leap) year = civilOf(m.start).year;
    m.year = year;
  });
  return months;
}

// Minutes between each new moon (in UTC+8) and the nearest midnight, for the sensitive list.
function newMoonMargins(offsetMinutes = 480) {
  const { newMoons } = allEvents();
  return newMoons.map((ms) => {
    const local = ms + offsetMinutes * 60e3;
    const intoDay = ((local % DAY_MS) + DAY_MS) % DAY_MS;
    return { ms, day: Math.floor(local / DAY_MS), minutes: Math.min(intoDay, DAY_MS - intoDay) / 60e3 };
  });
}

// Lookup of one day in a month list: { year, month, leap, day } or null.
function makeLookup(months) {
  return (day) => {
    let lo = 0;
    let hi = months.length - 1;
    while (lo <= hi) {
      const mid = (lo + hi) >> 1;
      const m = months[mid];
      if (day < m.start) hi = mid - 1;
      else if (day >= m.end) lo = mid + 1;
      else return { year: m.year, month: m.month, leap: m.leap, day: day - m.start + 1 };
    }
    return null;
  };
}

module.exports = { DAY_MS, dayNumber, civilOf, iso, deriveMonths, newMoonMargins, makeLookup, allEvents };
