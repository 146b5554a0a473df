// The operating-envelope chart of the details: evaporating temperature across, temperature up,
// the envelope's six corners, the operating point, a 10 K grid and the out-of-range warning. The
// scales are the desktop program's, so both draw the same picture.
const SVG = 'http://www.w3.org/2000/svg';

export const OUT_OF_RANGE = 'вне границ диапазона!!!';
export const NO_RANGE = 'нет данных диапазона';

// Whether (x, y) lies inside the polygon (crossing count; a point on an edge counts inside as
// far as a chart can show it).
export function inside(x, y, corners) {
  let c = false;
  for (let i = 0, j = corners.length - 1; i < corners.length; j = i++) {
    const [xi, yi] = corners[i];
    const [xj, yj] = corners[j];
    if ((yi > y) !== (yj > y) && x < ((xj - xi) * (y - yi)) / (yj - yi) + xi) c = !c;
  }
  return c;
}

// Scales as the desktop computes them: grid columns lo..hi every 10 K around the envelope's
// first and third corners; null when they are not defined.
export function scales(corners, ylim5) {
  const all = corners.flat();
  if (corners.length !== 6 || !all.every(Number.isFinite) || !Number.isFinite(ylim5)) return null;
  let lo = null;
  let hi = null;
  for (let n = -8; n <= 3; ++n) if (10 * n < corners[0][0]) lo = n;
  for (let n = 3; n >= -8; --n) if (10 * n > corners[2][0]) hi = n;
  if (lo === null || hi === null || hi <= lo || ylim5 === 10) return null;
  const yscale = -4 / ((ylim5 - 10) / 50);
  const xscale = 4 / ((10 * hi - 10 * lo) / 80);
  return {
    lo,
    hi,
    px: ([x, y]) => [Math.round(xscale * x + 35 - 10 * lo * xscale), Math.round(yscale * y + 250)],
  };
}

function el(name, attrs, text) {
  const e = document.createElementNS(SVG, name);
  for (const [k, v] of Object.entries(attrs)) e.setAttribute(k, v);
  if (text !== undefined) e.textContent = text;
  return e;
}

// Draws into `svg`: corners [[to, t] x 6], ylim5, the operating point [to, T2] and the
// evaporating temperature the envelope test takes for it. Returns the warning shown, or ''.
export function drawChart(svg, { corners, ylim5, point, testTo }) {
  svg.replaceChildren();
  const s = scales(corners ?? [], ylim5);
  if (!s || !point.every(Number.isFinite)) {
    svg.setAttribute('viewBox', '0 0 400 275');
    svg.append(el('rect', { class: 'sky', x: 0, y: 0, width: 400, height: 275 }));
    svg.append(el('text', { x: 40, y: 40, class: 'note' }, NO_RANGE));
    return NO_RANGE;
  }
  const poly = corners.map((c) => s.px(c).join(',')).join(' ');
  const pt = s.px(point);
  const grid = [];
  const labels = [];
  for (let n = 1; n <= 8; ++n) {
    const [x1, y] = s.px([10 * s.lo, 10 * n]);
    const [x2] = s.px([10 * s.hi, 10 * n]);
    grid.push(el('line', { x1, y1: y, x2, y2: y }));
    labels.push(el('text', { x: x1 - 20, y }, `${10 * n}°C`));
  }
  for (let n = s.lo; n <= s.hi; ++n) {
    const [x, y1] = s.px([10 * n, 10]);
    const [, y2] = s.px([10 * n, ylim5 + 5]);
    grid.push(el('line', { x1: x, y1, x2: x, y2 }));
    const [lx, ly] = s.px([10 * n, 5]);
    labels.push(el('text', { x: lx, y: ly }, `${10 * n}°C`));
  }
  // Everything drawn, labels included, fits the picture: the viewBox is its bounding box.
  const xs = [0, 400, pt[0] + 5, ...s.px([10 * s.hi, 5]).slice(0, 1).map((x) => x + 45)];
  const ys = [0, 275, pt[1] - 5, pt[1] + 5, s.px([0, 5])[1] + 6];
  for (const c of corners) ys.push(s.px(c)[1]);
  ys.push(s.px([0, ylim5 + 5])[1] - 14);
  const x0 = Math.min(...xs, s.px([10 * s.lo, 0])[0] - 24);
  const y0 = Math.min(...ys);
  const w = Math.max(...xs) - x0;
  const h = Math.max(...ys) - y0;
  svg.setAttribute('viewBox', `${x0} ${y0} ${w} ${h}`);
  svg.append(el('rect', { class: 'sky', x: x0, y: y0, width: w, height: h }));
  svg.append(el('polygon', { class: 'envelope', points: poly }));
  const g = el('g', { class: 'grid' });
  g.append(...grid);
  svg.append(g);
  const t = el('g', { class: 'labels' });
  t.append(...labels);
  svg.append(t);
  svg.append(el('polygon', { class: 'outline', points: poly }));
  svg.append(el('rect', { class: 'point', x: pt[0] - 5, y: pt[1] - 5, width: 10, height: 10 }));
  const out = !inside(testTo, point[1], corners);
  if (out) svg.append(el('text', { class: 'warning', x: x0 + 40, y: y0 + 40 }, OUT_OF_RANGE));
  return out ? OUT_OF_RANGE : '';
}
