// The selection page: the main window's inputs, one tab per kind of unit with its result table
// and the details of the unit under the cursor, the basket and the calculation file.
import * as api from './api.js';
import { Basket, typeText } from './basket.js';
import { BasketView } from './basketview.js';
import { drawChart } from './chart.js';
import { fromFile, toFile } from './calcfile.js';
import { fmt, formatGeneral, parseNumber } from './numbers.js';

const $ = (id) => document.getElementById(id);
const field = (id) => parseNumber($(id).value);
const setField = (id, v) => {
  $(id).value = v === null || v === undefined ? '' : formatGeneral(v);
};

const CHILLER_KINDS = ['glco', 'glcu', 'glcr', 'glck', 'ov', 'os', 'on'];
const BITZER_WARNINGS = {
  agr: 'Агрегаты на винтовых компрессорах Bitzer рассчитываются с экономайзером !!! ',
  mka: 'Централи на винтовых компрессорах Bitzer рассчитываются с экономайзерами !!! ',
  chiller: 'Чиллеры с винтовыми компрессорами рассчитываются с экономайзером !!! ',
};
// What the selector's positions 1..3 of "Исполнение" put into the evaporating temperature.
const LEVEL_EVAPORATE = { 1: -25, 2: -10, 3: 10 };

const state = {
  refrigerants: [],
  tab: 'out',
  ambientMode: true,
  answer: null, // the last selection's answer for the shown tab
  cursor: 0, // its cursor row (1..), 0: none
  cursorNames: { out: null, agr: null, mka: null, chiller: null },
  details: null,
  options: new Map(), // unit name -> names of its chosen options ("Доступные опции")
  liquid: null, // the chilled-liquid settings of an opened calculation file, kept as they were
  run: 0, // number of the newest selection request; older answers are dropped
  placeSaved: false, // the next run places the cursor on the unit named for the tab
};
const basket = new Basket();
let basketView;

// --- inputs ---

const brands = () =>
  [...document.querySelectorAll('input[name=brand]')].filter((b) => b.checked).map((b) => +b.value);
const racks = () =>
  [...document.querySelectorAll('input[name=rack]')].filter((b) => b.checked).map((b) => +b.value);

// The main window's inputs as the calculation file's `inputs` member.
function inputs() {
  return {
    tab: state.tab,
    evaporate: field('evaporate'),
    condensate: field('condensate'),
    ambient: field('ambient'),
    superheat: field('superheat'),
    subcool: field('subcool'),
    required: field('required'),
    outlet: field('outlet'),
    cheapest: $('cheapest').checked,
    refrigerant: +$('refrigerant').value,
    level: +$('level').value,
    brands: brands(),
    racks: racks(),
    ambientMode: state.ambientMode,
    chillerType: +$('chillerType').value,
    useEvaporate: $('useEvaporate').checked,
  };
}

function setInputs(m) {
  for (const id of ['evaporate', 'condensate', 'ambient', 'superheat', 'subcool', 'required', 'outlet'])
    if (id in m) setField(id, m[id]);
  if ('cheapest' in m) $('cheapest').checked = !!m.cheapest;
  if ('refrigerant' in m) $('refrigerant').value = String(m.refrigerant);
  if ('level' in m) $('level').value = String(m.level);
  if ('chillerType' in m) $('chillerType').value = String(m.chillerType);
  if ('useEvaporate' in m) $('useEvaporate').checked = !!m.useEvaporate;
  if (Array.isArray(m.brands))
    for (const b of document.querySelectorAll('input[name=brand]')) b.checked = m.brands.includes(+b.value);
  if (Array.isArray(m.racks))
    for (const b of document.querySelectorAll('input[name=rack]')) b.checked = m.racks.includes(+b.value);
  if ('ambientMode' in m) setAmbientMode(!!m.ambientMode);
  showSafety();
  showBitzerWarning();
}

// What a selection request sends: the inputs, the chosen options and, for an opened file, the
// unit the cursor is to be placed on (the calculation file's own members).
function selectionRequest(cursorName = null) {
  const body = { format: 'tundrix-calculation', version: 1, inputs: inputs(), options: chosenOptions() };
  if (state.liquid) body.liquid = state.liquid;
  if (cursorName) body.cursor = { [state.tab]: cursorName };
  return body;
}

const chosenOptions = () =>
  [...state.options].filter(([, names]) => names.length).map(([unit, options]) => ({ unit, options }));

// Exactly one of the condensing and ambient temperatures is typed; the other is locked.
function setAmbientMode(on) {
  state.ambientMode = on;
  $('condensate').readOnly = on;
  $('ambient').readOnly = !on;
}

function lockEvaporate() {
  $('evaporate').readOnly = state.tab === 'chiller' && !$('useEvaporate').checked;
}

function showSafety() {
  const r = state.refrigerants.find((x) => String(x.index) === $('refrigerant').value);
  $('safety').textContent = r ? safetyLabel(r) : '';
}

function safetyLabel(r) {
  if (r.label) return r.label;
  const gwp = (r.gwp_all ?? [r.gwp]).join('/');
  return `${r.safety_class}, ПГП ${gwp}${r.flammable ? ', горючий' : ''}`;
}

function showBitzerWarning() {
  const text = BITZER_WARNINGS[state.tab];
  $('bitzerWarning').hidden = !text || !brands().includes(3);
  $('bitzerWarning').textContent = text ?? '';
}

// The kind of the shown tab's units: a chiller by its type.
const kindOfTab = (tab = state.tab) =>
  tab === 'chiller' ? CHILLER_KINDS[+$('chillerType').value] : tab;

// --- tabs ---

function showTab(tab, { restoring = false } = {}) {
  const leaving = state.tab;
  state.tab = tab;
  for (const b of document.querySelectorAll('#kindTabs [role=tab]'))
    b.setAttribute('aria-selected', String(b.dataset.tab === tab));
  $('rackInputs').hidden = tab !== 'mka';
  $('chillerInputs').hidden = tab !== 'chiller';
  if (!restoring) {
    // What the desktop program does on showing each tab.
    if (tab === 'chiller' && leaving !== 'chiller') {
      for (const b of document.querySelectorAll('input[name=brand]')) b.checked = true;
      $('refrigerant').value = '2';
      $('level').value = '3';
      setField('evaporate', LEVEL_EVAPORATE[3]);
    }
    if (leaving === 'chiller' && tab !== 'chiller') setField('condensate', 45);
    if (tab === 'out' || tab === 'chiller') setAmbientMode(true);
    else {
      setAmbientMode(false);
      setField('condensate', 45);
    }
    showSafety();
  }
  lockEvaporate();
  showBitzerWarning();
  state.answer = null;
  state.cursor = 0;
  renderResults();
}

function showPage(page) {
  for (const b of document.querySelectorAll('#pageTabs [role=tab]'))
    b.setAttribute('aria-selected', String(b.dataset.page === page));
  for (const s of document.querySelectorAll('section.page')) s.hidden = s.dataset.page !== page;
}

// --- selection ---

function message(text, where = 'message') {
  $(where).textContent = text ?? '';
  $(where).hidden = !text;
}

async function run() {
  const id = ++state.run;
  const wanted = state.cursorNames[state.tab];
  const keep = field('required') === null || field('required') <= 0;
  $('count').textContent = 'Идет расчет';
  document.body.classList.add('busy');
  try {
    const answer = await api.select(selectionRequest(state.placeSaved ? wanted : null));
    if (id !== state.run) return;
    state.answer = answer;
    message('');
    // The answer's cursor, unless no capacity is required: then the cursor stays on its unit.
    let cursor = answer.cursor ?? 0;
    const rows = answer.rows ?? [];
    const named = wanted ? rows.findIndex((r) => r.name === wanted) + 1 : 0;
    if (keep && named > 0) cursor = named;
    if (cursor < 1 || cursor > rows.length) cursor = rows.length ? 1 : 0;
    state.placeSaved = false;
    $('count').textContent = answer.label ?? `Всего установок:${answer.count ?? rows.length}`;
    renderResults();
    await moveCursor(cursor, true);
  } catch (e) {
    if (id !== state.run) return;
    $('count').textContent = 'Прогресс';
    message(`Подбор не выполнен: ${e.message}`);
  } finally {
    if (id === state.run) document.body.classList.remove('busy');
  }
}

function renderResults() {
  const a = state.answer;
  const rows = a?.rows ?? [];
  const hidden = !!a && (a.hidden || false);
  $('nodata').hidden = !hidden;
  $('pages').hidden = hidden;
  const table = $('results');
  const headings = a?.headings?.length
    ? a.headings
    : [state.tab === 'chiller' ? 'Холодильная установка' : 'Агрегат', 'Холод-сть, кВт', 'Мощность, кВт',
       'Теплоотдача, кВт', 'Ток, А', 'Цена(EUR)'];
  const head = document.createElement('tr');
  for (const h of headings) head.append(Object.assign(document.createElement('th'), { textContent: h }));
  table.tHead.replaceChildren(head);
  const body = document.createDocumentFragment();
  rows.forEach((r, i) => {
    const tr = document.createElement('tr');
    tr.dataset.row = String(i + 1);
    const cells = [r.cells?.[0] ?? r.name, fmt(r.capacity), fmt(r.power), fmt(r.heat), fmt(r.current), fmt(r.price)];
    cells.forEach((c, k) => {
      const td = document.createElement('td');
      td.textContent = c;
      if (k > 0) td.className = 'num';
      tr.append(td);
    });
    body.append(tr);
  });
  table.tBodies[0].replaceChildren(body);
  if (!a) {
    $('count').textContent = 'Прогресс';
    clearDetails();
  }
}

const cursorRow = () => state.answer?.rows?.[state.cursor - 1] ?? null;

// Scrolls the result table, and nothing else on the page, to the row: a cursor the selection
// placed is shown amid its neighbours, one moved by a step just comes into view.
function scrollToRow(tr, placed) {
  const box = $('resultsBox');
  const head = $('results').tHead.getBoundingClientRect().height;
  const top = tr.getBoundingClientRect().top - box.getBoundingClientRect().top + box.scrollTop - head;
  const room = box.clientHeight - head;
  if (placed) box.scrollTop = top - (room - tr.offsetHeight) / 2;
  else if (top < box.scrollTop) box.scrollTop = top;
  else if (top + tr.offsetHeight > box.scrollTop + room) box.scrollTop = top + tr.offsetHeight - room;
}

async function moveCursor(row, placed = false) {
  const rows = state.answer?.rows ?? [];
  if (row < 1 || row > rows.length) {
    state.cursor = 0;
    clearDetails();
    return;
  }
  state.cursor = row;
  for (const tr of $('results').tBodies[0].rows) tr.classList.toggle('cursor', +tr.dataset.row === row);
  const tr = $('results').tBodies[0].rows[row - 1];
  if (tr) scrollToRow(tr, placed);
  const r = rows[row - 1];
  state.cursorNames[state.tab] = r.name;
  $('model').textContent = r.cells?.[0] ?? r.name;
  await showDetails(r);
}

// --- details ---

// A whole number, halves to even.
function roundEven(x) {
  const f = Math.floor(x);
  return x - f === 0.5 ? (f % 2 === 0 ? f : f + 1) : Math.round(x);
}

function clearDetails() {
  state.details = null;
  delete $('pages').dataset.unit;
  $('model').textContent = 'Модель ';
  $('chart').replaceChildren();
  $('thumb').removeAttribute('src');
  $('picture').removeAttribute('src');
  $('drawing').removeAttribute('src');
  $('drawingLink').removeAttribute('href');
  $('description').textContent = '';
  $('complect').textContent = '';
  $('tech').tBodies[0].replaceChildren();
  $('options').tBodies[0].replaceChildren();
}

// The details of a result row's unit, asked once per unit, kind and refrigerant.
const detailsCache = new Map();
function unitDetails(row) {
  const kind = kindOfTab();
  const refrigerant = state.refrigerants.find((x) => String(x.index) === $('refrigerant').value);
  const key = JSON.stringify([kind, refrigerant?.code, row.name]);
  if (!detailsCache.has(key)) {
    const asked = api.unit(kind, refrigerant?.code ?? $('refrigerant').value, row.name);
    asked.catch(() => detailsCache.delete(key));
    detailsCache.set(key, asked);
  }
  return detailsCache.get(key);
}

async function showDetails(row) {
  const shownRow = state.cursor;
  // The evaporating temperature of the chiller row and the condensing temperature its
  // condensers settle at are written back into the fields, as the desktop does.
  if (state.tab === 'chiller' && !$('useEvaporate').checked && Number.isFinite(row.to))
    setField('evaporate', roundEven(row.to));
  let d;
  try {
    d = await unitDetails(row);
  } catch (e) {
    if (shownRow === state.cursor) message(`Данные агрегата не получены: ${e.message}`);
    return;
  }
  if (shownRow !== state.cursor || cursorRow() !== row) return; // the cursor moved on meanwhile
  state.details = d;
  if (state.ambientMode && d.condensers && Number.isFinite(row.tc)) $('condensate').value = fmt(row.tc);

  $('thumb').src = d.picture ?? '';
  $('picture').src = d.picture ?? '';
  $('drawingLink').href = d.drawing ?? '';
  $('drawing').src = d.drawing ?? 'about:blank';
  $('description').textContent = d.description ?? '';
  $('complect').textContent = d.deliverySet ?? '';

  const tech = document.createDocumentFragment();
  for (const { name, value } of d.techData ?? []) {
    const tr = document.createElement('tr');
    tr.append(Object.assign(document.createElement('td'), { textContent: name }),
      Object.assign(document.createElement('td'), { textContent: value }));
    tech.append(tr);
  }
  $('tech').tBodies[0].replaceChildren(tech);
  showOptions(d);

  // The chart in the unit's own temperatures: a unit with condensers is drawn against its
  // condensing temperature at the operating point (the envelope's upper corners are condensing
  // temperatures); one without against the condensing temperature typed.
  const e = d.envelope ?? [];
  const corners = e.map((c, n) => [c.to, d.condensers && n < 3 ? 10 : c.tc]);
  const to = Number.isFinite(row.to) ? row.to : field('evaporate') ?? 0;
  const t2 = d.condensers ? row.tc : field('condensate') ?? 0;
  drawChart($('chart'), { corners, ylim5: e[4]?.tc, point: [to, t2], testTo: to });
  $('pages').dataset.unit = d.name;
}

// The options grid: name, price and "выбрана" per option; ticking one runs the selection again
// with it, so that the name and price in the table include it.
function showOptions(d) {
  const names = document.createElement('tr');
  const prices = document.createElement('tr');
  const chosen = document.createElement('tr');
  const picked = state.options.get(d.name) ?? [];
  for (const o of d.options ?? []) {
    names.append(Object.assign(document.createElement('th'), { textContent: o.name }));
    const p = parseNumber(o.price);
    prices.append(Object.assign(document.createElement('td'), { textContent: p ? fmt(p) : o.price, className: 'num' }));
    const box = Object.assign(document.createElement('input'), { type: 'checkbox', checked: picked.includes(o.name) });
    box.dataset.option = o.name;
    box.setAttribute('aria-label', o.name);
    const label = Object.assign(document.createElement('label'), { className: 'check' });
    label.append(box, picked.includes(o.name) ? ' выбрана' : '');
    const td = document.createElement('td');
    td.append(label);
    chosen.append(td);
  }
  $('options').tBodies[0].replaceChildren(...(d.options?.length ? [names, prices, chosen] : []));
}

// --- basket ---

async function addCursorUnit() {
  const r = cursorRow();
  if (!r) return;
  const tab = state.tab;
  // Brand and level of the unit come with its details.
  let d = null;
  try {
    d = await unitDetails(r);
  } catch {
    // kept as a row without its catalogue unit
  }
  const unit = {
    kind: kindOfTab(),
    refrigerant: +$('refrigerant').value,
    brand: d?.brand ?? null,
    level: d?.level ?? null,
    name: r.name,
    options: state.options.get(r.name) ?? [],
    listPrice: r.price ?? null,
    capacity: r.capacity ?? null,
    power: r.power ?? null,
    heat: r.heat ?? null,
    current: r.current ?? null,
    to: r.to ?? null,
    tc: r.tc ?? null,
  };
  const model = r.cells?.[0] ?? r.name;
  if (!basket.add(typeText(tab), model, fmt(r.price), unit.brand && unit.level ? unit : null))
    message(`Количество у модели «${model}» в корзине не является числом: исправьте его.`);
  basketView.render();
  $('basketButton').classList.add('flash');
  setTimeout(() => $('basketButton').classList.remove('flash'), 600);
}

function download(blob, name) {
  const a = Object.assign(document.createElement('a'), { href: URL.createObjectURL(blob), download: name });
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

// --- calculation file ---

// A refrigerant as the file names it: by caption (an index the table lacks stays as it is).
const captionOf = (r) => state.refrigerants.find((x) => x.index === r)?.caption ?? r;

// The selector's index of a refrigerant the file names by caption, code or index.
function indexOf(r) {
  const name = String(r).toLowerCase();
  const found = state.refrigerants.find((x) =>
    [String(x.index), x.caption.toLowerCase(), x.code.toLowerCase(), `r${x.code.toLowerCase()}`].includes(name));
  return found ? found.index : r;
}

function calculation() {
  const results = [];
  const cursor = { ...state.cursorNames };
  const r = cursorRow();
  if (r) results.push({ tab: state.tab, name: r.name, capacity: r.capacity, power: r.power, heat: r.heat, current: r.current, price: r.price });
  const named = (row) => (row.unit ? { ...row, unit: { ...row.unit, refrigerant: captionOf(row.unit.refrigerant) } } : row);
  return toFile({
    inputs: { ...inputs(), refrigerant: captionOf(inputs().refrigerant) },
    liquid: state.liquid,
    options: chosenOptions(),
    cursor,
    results,
    basket: basket.toFile().map(named),
    total: basket.total(),
  });
}

async function openCalculation(file) {
  const text = await file.text();
  let doc;
  try {
    doc = fromFile(text);
    // The server reads the file as the desktop program does: its answer says what changed.
    const checked = await api.check(doc);
    doc.differences = checked.differences ?? [];
  } catch (e) {
    message(`Файл «${file.name}» не открыт: ${e.message}`);
    return;
  }
  state.liquid = doc.liquid ?? null;
  state.options = new Map((doc.options ?? []).map((o) => [o.unit, o.options ?? []]));
  const tab = doc.inputs?.tab && doc.inputs.tab !== 'description' ? doc.inputs.tab : 'out';
  showTab(tab, { restoring: true });
  const given = doc.inputs ?? {};
  setInputs('refrigerant' in given ? { ...given, refrigerant: indexOf(given.refrigerant) } : given);
  lockEvaporate();
  state.cursorNames = { out: null, agr: null, mka: null, chiller: null, ...(doc.cursor ?? {}) };
  state.placeSaved = true;
  if (Array.isArray(doc.basket)) basket.fromFile(doc.basket);
  basketView.render();
  await run();
  const diff = doc.differences.map((x) => x.text);
  message(diff.length ? `Расчет «${file.name}» открыт. Изменилось с момента сохранения:\n${diff.join('\n')}` : '');
}

// --- wiring ---

function wire() {
  // The offer states the conditions it was calculated for: it is asked with the whole calculation.
  basketView = new BasketView(basket, {
    offerPdf: () => api.offerPdf(calculation()),
    offerCsv: () => api.offerCsv(calculation()),
    download,
  });
  const rerun = () => {
    if (state.tab) run();
  };
  for (const id of ['evaporate', 'superheat', 'subcool']) $(id).addEventListener('change', rerun);
  $('ambient').addEventListener('change', () => state.tab !== 'mka' && rerun());
  $('condensate').addEventListener('change', () => (state.tab === 'agr' || state.tab === 'mka') && rerun());
  $('outlet').addEventListener('change', () => state.tab === 'chiller' && rerun());
  $('cheapest').addEventListener('change', rerun);
  $('refrigerant').addEventListener('change', () => {
    showSafety();
    rerun();
  });
  $('level').addEventListener('change', () => {
    const t = LEVEL_EVAPORATE[+$('level').value];
    if (t !== undefined) setField('evaporate', t);
    rerun();
  });
  for (const b of document.querySelectorAll('input[name=brand]'))
    b.addEventListener('change', () => {
      showBitzerWarning();
      rerun();
    });
  for (const b of document.querySelectorAll('input[name=rack]')) b.addEventListener('change', rerun);
  $('chillerType').addEventListener('change', rerun);
  $('useEvaporate').addEventListener('change', () => {
    lockEvaporate();
    rerun();
  });
  // Enter in a field runs the selection as leaving it does.
  $('inputs').addEventListener('keydown', (e) => {
    if (e.key === 'Enter' && e.target.tagName === 'INPUT') {
      e.preventDefault();
      run();
    }
  });
  for (const b of document.querySelectorAll('#kindTabs [role=tab]'))
    b.addEventListener('click', () => {
      if (b.dataset.tab === state.tab) return;
      showTab(b.dataset.tab);
      run();
    });
  for (const b of document.querySelectorAll('#pageTabs [role=tab]')) b.addEventListener('click', () => showPage(b.dataset.page));

  $('run').addEventListener('click', run);
  const body = $('results').tBodies[0];
  body.addEventListener('click', (e) => {
    const tr = e.target.closest('tr');
    if (tr && +tr.dataset.row !== state.cursor) moveCursor(+tr.dataset.row);
  });
  body.addEventListener('dblclick', (e) => {
    if (e.target.closest('tr')) addCursorUnit();
  });
  $('resultsBox').addEventListener('keydown', (e) => {
    const step = { ArrowUp: -1, ArrowDown: 1 }[e.key];
    if (step && state.cursor + step >= 1 && state.cursor + step <= (state.answer?.rows?.length ?? 0)) {
      e.preventDefault();
      moveCursor(state.cursor + step);
    } else if (e.key === 'Enter') addCursorUnit();
  });
  $('prev').addEventListener('click', () => state.cursor > 1 && moveCursor(state.cursor - 1));
  $('next').addEventListener('click', () => state.cursor < (state.answer?.rows?.length ?? 0) && moveCursor(state.cursor + 1));
  $('toBasket').addEventListener('click', addCursorUnit);
  $('options').addEventListener('change', (e) => {
    const name = state.details?.name;
    if (!name || !e.target.dataset.option) return;
    const chosen = new Set(state.options.get(name) ?? []);
    if (e.target.checked) chosen.add(e.target.dataset.option);
    else chosen.delete(e.target.dataset.option);
    // In the order the unit lists them, as the desktop program names them.
    state.options.set(name, (state.details.options ?? []).map((o) => o.name).filter((o) => chosen.has(o)));
    state.cursorNames[state.tab] = name;
    state.placeSaved = true;
    run();
  });

  const pdf = (call, name) => async () => {
    try {
      download(await call(selectionRequest(cursorRow()?.name), state.cursor), name);
    } catch (e) {
      message(`Документ не получен: ${e.message}`);
    }
  };
  $('report').addEventListener('click', pdf(api.reportPdf, 'Выбранная установка.pdf'));
  $('list').addEventListener('click', pdf(api.listPdf, 'Список выбора.pdf'));

  $('save').addEventListener('click', () => {
    const blob = new Blob([JSON.stringify(calculation(), null, 2) + '\n'], { type: 'application/json' });
    download(blob, 'Расчет.tundrix');
  });
  $('open').addEventListener('click', () => $('openFile').click());
  $('openFile').addEventListener('change', async () => {
    const file = $('openFile').files[0];
    $('openFile').value = '';
    if (file) await openCalculation(file);
  });
}

async function start() {
  wire();
  basketView.render();
  try {
    state.refrigerants = await api.refrigerants();
  } catch (e) {
    message(`Список хладагентов не получен: ${e.message}`);
    return;
  }
  $('refrigerant').replaceChildren(
    ...state.refrigerants.map((r) => new Option(r.caption, String(r.index))),
  );
  $('refrigerant').value = '0';
  showTab('out');
  await run();
  document.body.dataset.ready = 'true';
}

start();
