// The independent lunar calendars the derived table is checked against. Each gives, for a
// civil date, { month, leap, day } or null.
'use strict';

const { Solar } = require('lunar-javascript');
const solarlunar = require('solarlunar').default;

// date-chinese loads its earth series from an ES-module default export; make the fields
// visible on the CommonJS object it reads.
const vsop = require('astronomia/data/vsop87Bearth');
Object.assign(vsop, vsop.default);
const { CalendarChinese } = require('date-chinese');

const chineseCalendar = new CalendarChinese();

// ICU through Node's Intl (its chinese calendar).
const icuFormat = new Intl.DateTimeFormat('zh-u-ca-chinese', {
  timeZone: 'UTC',
  year: 'numeric',
  month: 'numeric',
  day: 'numeric',
});
const ICU_MONTHS = ['正月', '二月', '三月', '四月', '五月', '六月', '七月', '八月', '九月', '十月',
  '十一月', '十二月'];

const sources = {
  // 6tail's lunar: its own astronomical series with historical corrections.
  'lunar-javascript': (y, m, d) => {
    const l = Solar.fromYmd(y, m, d).getLunar();
    return { month: Math.abs(l.getMonth()), leap: l.getMonth() < 0, day: l.getDay() };
  },
  // Meeus-based calculation (astronomia); Beijing local time before 1929.
  'date-chinese': (y, m, d) => {
    chineseCalendar.fromGregorian(y, m, d);
    return { month: chineseCalendar.month, leap: !!chineseCalendar.leap, day: chineseCalendar.day };
  },
  // The widely copied hexadecimal month table.
  solarlunar: (y, m, d) => {
    const r = solarlunar.solar2lunar(y, m, d);
    if (r === -1 || !r) return null;
    return { month: r.lMonth, leap: !!r.isLeap, day: r.lDay };
  },
  ICU: (y, m, d) => {
    const parts = icuFormat.formatToParts(new Date(Date.UTC(y, m - 1, d)));
    let name = parts.find((p) => p.type === 'month').value;
    const leap = name.startsWith('闰');
    if (leap) name = name.slice(1);
    const month = name === '冬月' ? 11 : name === '腊月' ? 12 : ICU_MONTHS.indexOf(name) + 1;
    const day = Number(parts.find((p) => p.type === 'day').value);
    if (month < 1 || !(day >= 1)) throw new Error('unexpected ICU month ' + name);
    return { month, leap, day };
  },
};

module.exports = { sources };
