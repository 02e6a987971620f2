// The finder module's chart drawn onto a JavaScript canvas: the calls that
// reach the page are those the native chart test records for the worked
// example, colours and texts included.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const { root } = require('./inputs.js');

const modules = process.env.MT_WEB_MODULES;
const skip = modules ? false : 'not set: MT_WEB_MODULES';

const colourNames = { '#000000': 'black', '#ff0000': 'red', '#0000ff': 'blue', '#ff00ff': 'magenta', '#c8c8c8': 'grey' };

// Writes down each call a line, as the native tests' canvas does.
function recorder() {
  const lines = [];
  const colour = (css) => colourNames[css] ?? 'other';
  return {
    lines,
    Clear: () => lines.push('clear'),
    ShowLegends: () => lines.push('legends'),
    Text: (x, y, c, text) => lines.push(`text ${x},${y} ${colour(c)} "${text}"`),
    Line: (x1, y1, x2, y2, c, width) => lines.push(`line ${x1},${y1} ${x2},${y2} ${colour(c)} ${width}`),
    Box: (x1, y1, x2, y2, c) => lines.push(`box ${x1},${y1} ${x2},${y2} ${colour(c)}`),
    Refresh: () => lines.push('refresh'),
  };
}

const threePitches = Buffer.from('0,2\r\n386,1\r\n702,1\r\n', 'latin1');

test('RaporCiz draws the worked example as the native chart test records it', { skip }, async () => {
  const F = await require(path.join(modules, 'finder_module.js'))();
  const finder = new F.Finder();
  finder.KaynakOku(threePitches, 'three.txt');
  const rows = [
    { name: 'the worked example', limit: '11', expected: fs.readFileSync(path.join(root, 'finder/tests/golden/chart_three_pitches.txt'), 'utf8') },
    { name: 'nothing for a run that found nothing', limit: '1', expected: '' },
  ];
  for (const row of rows) {
    finder.Basla({ span: 'Single', degreeText: '12', criterion: 'MaxDeviation', centLimitText: row.limit });
    const canvas = recorder();
    finder.RaporCiz(canvas, '.');
    assert.equal(canvas.lines.map((line) => `${line}\n`).join(''), row.expected, row.name);
  }
  finder.delete();
});
