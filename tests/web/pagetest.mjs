// The selection page driven in headless Chromium or Firefox as a user drives it: type the conditions, run,
// click a row and see its details, put two units into the basket, edit it, download the offer
// and the CSV, save the calculation and open it again, and open a calculation the command line
// wrote. Every step is checked against what the server's API answers for the same request.
//
// node --experimental-websocket pagetest.mjs --url http://127.0.0.1:PORT/
//      [--browser chromium|firefox] [--executable PATH] [--cli tundrix-cli --data DIR] [--screenshots DIR]
// Chromium is driven over the DevTools protocol (cdp.mjs), Firefox over WebDriver BiDi (bidi.mjs).
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const opt = {};
for (let i = 2; i < process.argv.length; i += 2) opt[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
if (!opt.url) throw new Error('--url is required');
const kind = opt.browser ?? 'chromium';
if (!['chromium', 'firefox'].includes(kind)) throw new Error(`--browser: chromium or firefox, not ${kind}`);
const { Browser } = await import(kind === 'firefox' ? './bidi.mjs' : './cdp.mjs');
const executable = opt.executable ?? (kind === 'firefox' ? '/usr/bin/firefox-esr' : '/usr/bin/chromium');
const api = new URL('api/v1/', opt.url);

// The whole test is bounded in time, whatever hangs.
const deadline = setTimeout(() => {
  console.error('FAIL: the page test ran out of its 150 s');
  process.exit(1);
}, 150_000);

let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${ok || !detail ? '' : `: ${detail}`}`);
  if (!ok) failures++;
  return ok;
}
const same = (a, b, what) => check(JSON.stringify(a) === JSON.stringify(b), what, `${JSON.stringify(a)} != ${JSON.stringify(b)}`);

async function post(path, body) {
  const r = await fetch(new URL(path, api), { method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify(body) });
  return { status: r.status, body: await r.text() };
}

const downloads = mkdtempSync(join(tmpdir(), 'tundrix-pagetest-'));
// Waits for a finished download whose name ends with `suffix`; its content.
async function downloaded(suffix, since) {
  const until = Date.now() + 15000;
  while (Date.now() < until) {
    for (const f of readdirSync(downloads)) {
      const p = join(downloads, f);
      if (f.endsWith(suffix) && statSync(p).mtimeMs >= since && statSync(p).size > 0) return readFileSync(p);
    }
    await new Promise((r) => setTimeout(r, 100));
  }
  throw new Error(`no download *${suffix}`);
}

const browser = await Browser.launch(executable, { downloads });
try {
  const page = await browser.newPage();
  await page.size(1280, 800);
  await page.goto(opt.url);
  await page.waitFor('document.body?.dataset.ready === "true"', 'the page to start');

  // --- the conditions typed as a user types them, decimal comma included ---
  await page.type('#evaporate', '-10');
  await page.type('#ambient', '30');
  await page.type('#superheat', '10');
  await page.type('#required', '10,5');
  await page.eval(`(() => { const s = document.getElementById('level'); s.value = '2'; s.dispatchEvent(new Event('change')); })()`);
  for (const brand of [2, 3]) await page.click(`input[name=brand][value="${brand}"]`);
  await page.click('#run');
  const inputs = await page.waitFor(`(() => {
    const rows = document.querySelectorAll('#results tbody tr').length;
    return rows && !document.body.classList.contains('busy') && document.querySelector('#results tr.cursor') ? true : false;
  })()`, 'the result table');
  check(inputs, 'the run fills the result table');

  const shown = await page.eval(`(() => ({
    rows: [...document.querySelectorAll('#results tbody tr')].map((tr) => [...tr.cells].map((c) => c.textContent)),
    cursor: [...document.querySelectorAll('#results tbody tr')].findIndex((tr) => tr.classList.contains('cursor')) + 1,
    count: document.getElementById('count').textContent,
    evaporate: document.getElementById('evaporate').value,
  }))()`);
  // The same request straight to the API: the page shows its rows in the grid's number form.
  const request = {
    tab: 'out', evaporate: -10, ambient: 30, superheat: 10, subcool: 0, required: 10.5, refrigerant: 0,
    level: 2, brands: [1, 2, 3], ambientMode: true, cheapest: false,
  };
  const answer = JSON.parse((await post('select', request)).body);
  check(shown.rows.length === answer.rows.length && answer.rows.length > 10, 'as many rows as the API answers', `${shown.rows.length} vs ${answer.rows.length}`);
  same(shown.count, `Всего установок:${answer.count}`, 'the unit count');
  same(shown.cursor, answer.cursor, 'the cursor row is the one the selection places');
  const comma = (cells) => cells.map((c, i) => (i === 0 ? c : c.replace('.', ',')));
  let cellsAgree = true;
  answer.rows.forEach((r, i) => {
    if (JSON.stringify(comma(r.cells)) !== JSON.stringify(shown.rows[i])) cellsAgree = false;
  });
  check(cellsAgree, 'every cell as the grid shows it, with a decimal comma', JSON.stringify([answer.rows[0].cells, shown.rows[0]]));
  check(shown.rows.some((r) => /,\d/.test(r[1])), 'capacities show decimal commas');

  if (opt.screenshots) {
    await page.waitFor(`document.getElementById('pages').dataset.unit === ${JSON.stringify(answer.rows[answer.cursor - 1].name)} && document.getElementById('thumb').complete`, 'the cursor unit\'s details');
    writeFileSync(join(opt.screenshots, `web-1280x800${kind === 'firefox' ? '-firefox' : ''}.png`), await page.screenshot());
  }

  // --- a click on a row shows that unit's details ---
  const pick = answer.rows.findIndex((r, i) => i + 1 !== answer.cursor && r.inside) + 1;
  const picked = answer.rows[pick - 1];
  await page.click(`#results tbody tr:nth-child(${pick})`);
  await page.waitFor(`document.getElementById('model').textContent === ${JSON.stringify(picked.cells[0])}`, 'the model label');
  const details = await page.waitFor(`(() => {
    if (document.getElementById('pages').dataset.unit !== ${JSON.stringify(picked.name)}) return null;
    const img = document.getElementById('thumb');
    const tech = document.querySelectorAll('#tech tbody tr').length;
    if (!img.complete || !img.naturalWidth || !document.querySelector('#chart polygon')) return null;
    return {
      cursor: [...document.querySelectorAll('#results tbody tr')].findIndex((tr) => tr.classList.contains('cursor')) + 1,
      picture: img.naturalWidth,
      drawing: document.getElementById('drawingLink').href,
      tech,
      options: document.querySelectorAll('#options th').length,
      point: !!document.querySelector('#chart rect.point'),
      condensate: document.getElementById('condensate').value,
    };
  })()`, 'the details of the clicked unit');
  same(details.cursor, pick, 'the clicked row carries the cursor');
  check(details.picture > 0, 'the picture is loaded');
  check(details.point, 'the chart shows the operating point');
  check(details.tech > 0, 'the technical data are listed');
  const drawing = await fetch(details.drawing);
  check(drawing.ok && (await drawing.arrayBuffer()).byteLength > 0 && /pdf/.test(drawing.headers.get('content-type') ?? ''), 'the drawing link gives the PDF drawing');
  check(Math.abs(Number(details.condensate.replace(',', '.')) - picked.tc) <= 0.005, 'the condensing temperature of the unit is written back', `${details.condensate} vs ${picked.tc}`);
  await page.click('[data-page=texts]');
  const texts = await page.eval(`[document.getElementById('description').textContent.length, document.getElementById('complect').textContent.length]`);
  check(texts[0] > 0 && texts[1] > 0, 'description and delivery set are shown');
  await page.click('[data-page=list]');

  // --- the printed report on the clicked unit and the selection list ---
  let t = Date.now() - 1000;
  await page.click('#report');
  const report = await downloaded('установка.pdf', t);
  check(report.subarray(0, 5).toString() === '%PDF-', 'the report downloads as a PDF');
  t = Date.now() - 1000;
  await page.click('#list');
  const list = await downloaded('выбора.pdf', t);
  check(list.subarray(0, 5).toString() === '%PDF-', 'the selection list downloads as a PDF');

  // --- two units into the basket: a double click and the button ---
  await page.eval('localStorage.clear()');
  await page.click(`#results tbody tr:nth-child(${pick})`, 2);
  const second = answer.cursor;
  await page.click(`#results tbody tr:nth-child(${second})`);
  await page.waitFor(`document.getElementById('model').textContent === ${JSON.stringify(answer.rows[second - 1].cells[0])}`, 'the second unit');
  await page.click('#toBasket');
  await page.click('#basketButton');
  await page.waitFor(`document.getElementById('basket').open`, 'the basket');
  let rows = await page.eval(`[...document.querySelectorAll('#basketTable tbody tr')].map((tr) => [...tr.querySelectorAll('input')].map((i) => i.value))`);
  same(rows.map((r) => r[1]), [picked.cells[0], answer.rows[second - 1].cells[0]], 'the basket holds the two units');
  // Quantity 3 on the first row, and a row typed by hand.
  await page.type('#basketTable input[data-row="0"][data-field=quantity]', '3');
  await page.click('#addRow');
  await page.type('#basketTable input[data-row="2"][data-field=type]', 'Работы');
  await page.type('#basketTable input[data-row="2"][data-field=model]', 'Монтаж и пусконаладка');
  await page.type('#basketTable input[data-row="2"][data-field=price]', '850,5');
  const price = (r) => Math.round(r.price * 100) / 100;
  const total = 3 * price(picked) + price(answer.rows[second - 1]) + 850.5;
  const shownTotal = await page.eval(`document.getElementById('total').value`);
  check(Math.abs(Number(shownTotal.replace(',', '.')) - total) < 1e-6, 'the total is quantity times price over the rows', `${shownTotal} vs ${total}`);

  // --- the offer as PDF and the basket as CSV ---
  t = Date.now() - 1000;
  await page.click('#offer');
  const pdf = await downloaded('предложение.pdf', t);
  check(pdf.subarray(0, 5).toString() === '%PDF-', 'the offer downloads as a PDF');
  t = Date.now() - 1000;
  await page.click('#csv');
  const csv = (await downloaded('.csv', t)).toString('utf8');
  check(csv.includes(picked.name) && csv.includes('Монтаж и пусконаладка'), 'the CSV lists the basket rows', csv.slice(0, 200));
  await page.click('#closeBasket');

  // --- save the calculation; the desktop program's reader takes it ---
  t = Date.now() - 1000;
  await page.click('#save');
  const savedText = (await downloaded('.tundrix', t)).toString('utf8');
  const saved = JSON.parse(savedText);
  same([saved.format, saved.version], ['tundrix-calculation', 2], 'the file is a calculation file');
  same([saved.inputs.refrigerant, ...saved.basket.filter((b) => b.unit).map((b) => b.unit.refrigerant)], ['R404A/R507', 'R404A/R507', 'R404A/R507'], 'the file names the refrigerant by caption');
  same([saved.inputs.evaporate, saved.inputs.required, saved.inputs.level, saved.inputs.brands], [-10, 10.5, 2, [1, 2, 3]], 'the file keeps the typed inputs as numbers');
  same(saved.cursor.out, answer.rows[second - 1].name, 'the file names the unit under the cursor');
  same(saved.basket.map((b) => [b.model, b.quantity, b.price, b.unit ? b.unit.name : null]),
    [[picked.cells[0], 3, price(picked), picked.name], [answer.rows[second - 1].cells[0], 1, price(answer.rows[second - 1]), answer.rows[second - 1].name], ['Монтаж и пусконаладка', 1, 850.5, null]],
    'the file holds the basket with its catalogue units');
  check(saved.basket.slice(0, 2).every((b) => b.unit && b.unit.brand >= 1 && b.unit.level >= 1), 'basket units carry brand and level');
  const checked = await post('calculation/check', saved);
  check(checked.status === 200, 'the server reads the saved file', checked.body);
  const savedFile = join(downloads, 'saved.tundrix');
  writeFileSync(savedFile, savedText);
  if (opt.cli) {
    let opened;
    try {
      opened = JSON.parse(execFileSync(opt.cli, ['--data', opt.data, 'open', savedFile], { encoding: 'utf8', timeout: 30000 }));
    } catch (e) {
      opened = { error: String(e.stderr ?? e) };
    }
    check(!opened.error, 'the desktop program opens the saved file', opened.error);
    same(opened.basket?.rows?.length, 3, 'and finds its three basket rows');
    same(opened.differences, [], 'and nothing changed since the page saved it');
  }

  // --- open it again in a fresh page: inputs, cursor and basket come back ---
  await page.eval('localStorage.clear()');
  await page.goto(opt.url);
  await page.waitFor('document.body?.dataset.ready === "true"', 'the page to start again');
  await page.waitFor(`document.querySelectorAll('#results tbody tr').length > 0`, 'the first run');
  await page.setFiles('#openFile', [savedFile]);
  await page.waitFor(`document.getElementById('model').textContent === ${JSON.stringify(answer.rows[second - 1].cells[0])} && document.getElementById('evaporate').value === '-10'`, 'the reopened calculation');
  const reopened = await page.eval(`(() => ({
    required: document.getElementById('required').value,
    level: document.getElementById('level').value,
    brands: [...document.querySelectorAll('input[name=brand]')].filter((b) => b.checked).map((b) => +b.value),
    basket: JSON.parse(localStorage.getItem('tundrix.basket')).map((r) => [r.model, r.quantity, r.price]),
    rows: document.querySelectorAll('#results tbody tr').length,
  }))()`);
  same([reopened.required, reopened.level, reopened.brands, reopened.rows], ['10,5', '2', [1, 2, 3], answer.rows.length], 'the reopened inputs run the same selection');
  same(reopened.basket, [[picked.cells[0], '3', String(price(picked)).replace('.', ',')], [answer.rows[second - 1].cells[0], '1', String(price(answer.rows[second - 1])).replace('.', ',')], ['Монтаж и пусконаладка', '1', '850,5']], 'the reopened basket');

  // --- a calculation the command line wrote opens in the page ---
  if (opt.cli) {
    const cliFile = join(downloads, 'cli.tundrix');
    const select = ['--data', opt.data, 'select', '--kind', 'agr', '--refrigerant', '0', '--brands', '1,3', '--level', '2', '--to', '-10', '--tc', '40'];
    const agr = JSON.parse(execFileSync(opt.cli, select, { encoding: 'utf8', timeout: 30000 }));
    const name = agr.rows.find((r) => r.inside).name;
    execFileSync(opt.cli, [...select, '--save', cliFile, '--basket', `${name}:2`], { timeout: 30000, stdio: 'ignore' });
    const cliDoc = JSON.parse(readFileSync(cliFile, 'utf8'));
    await page.setFiles('#openFile', [cliFile]);
    await page.waitFor(`document.querySelector('#kindTabs [aria-selected=true]').dataset.tab === 'agr' && document.getElementById('condensate').value === '40'`, 'the command line\'s calculation');
    await page.waitFor(`document.querySelectorAll('#results tbody tr').length > 0 && !document.body.classList.contains('busy')`, 'its selection');
    const opened = await page.eval(`JSON.parse(localStorage.getItem('tundrix.basket')).map((r) => [r.model, r.quantity])`);
    same(opened, (cliDoc.basket ?? []).map((b) => [b.model, String(b.quantity)]), 'the command line\'s basket is in the page');
  }

  // --- a tablet: the same page upright ---
  if (opt.screenshots) {
    await page.size(800, 1280, true);
    await new Promise((r) => setTimeout(r, 300));
    writeFileSync(join(opt.screenshots, `web-tablet${kind === 'firefox' ? '-firefox' : ''}.png`), await page.screenshot());
  }
  check(page.errors.length === 0, 'no script errors in the page', page.errors.join('\n'));
} catch (e) {
  check(false, 'the page test ran to its end', e.stack);
} finally {
  await browser.close();
  rmSync(downloads, { recursive: true, force: true });
  clearTimeout(deadline);
}
console.log(failures ? `${failures} check(s) failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
