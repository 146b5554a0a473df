// Numbers as the desktop program types and shows them, with the decimal comma of a Russian user.

// A typed number: optional sign, digits with at most one decimal separator ("," or "."), an
// optional exponent; blanks around it. Anything else is no number (null).
export function parseNumber(text) {
  const s = String(text ?? '').trim();
  if (!/^[+-]?(\d+[.,]?\d*|[.,]\d+)([eE][+-]?\d+)?$/.test(s)) return null;
  const v = Number(s.replace(',', '.'));
  return Number.isFinite(v) ? v : null;
}

// The exact product a * b as a sum hi + lo of two doubles (Dekker), so that a tie of the
// rounded product can be decided on the exact one.
function twoProduct(a, b) {
  const split = (x) => {
    const c = 134217729 * x; // 2^27 + 1
    const h = c - (c - x);
    return [h, x - h];
  };
  const p = a * b;
  const [ah, al] = split(a);
  const [bh, bl] = split(b);
  return [p, ((ah * bh - p) + ah * bl + al * bh) + al * bl];
}

function roundHalfEven(x) {
  const f = Math.floor(x);
  const d = x - f;
  if (d > 0.5) return f + 1;
  if (d < 0.5) return f;
  return f % 2 === 0 ? f : f + 1;
}

// x * 100 rounded to the nearest integer, halves to even, divided by 100; a half is decided on
// the exact product (2.675 is stored just below 2.675 and shows 2.67).
export function roundHundredths(x) {
  const [p, err] = twoProduct(x, 100);
  if (Number.isFinite(p) && p - Math.floor(p) === 0.5) {
    if (err < 0) return Math.floor(p) / 100;
    if (err > 0) return Math.ceil(p) / 100;
  }
  return roundHalfEven(p) / 100;
}

// The shortest general form with at most 15 significant digits and a decimal comma; an exponent
// only below 1e-4 or from 1e15 on. Not a number: empty text.
export function formatGeneral(x) {
  if (typeof x !== 'number' || !Number.isFinite(x)) return '';
  if (x === 0) return '0';
  const exp = Math.floor(Math.log10(Math.abs(Number(x.toPrecision(15)))));
  let s;
  if (exp < -4 || exp >= 15) {
    const [m, e] = x.toExponential(14).split('e');
    const mant = m.includes('.') ? m.replace(/0+$/, '').replace(/\.$/, '') : m;
    const n = Number(e);
    s = `${mant}e${n < 0 ? '-' : '+'}${String(Math.abs(n)).padStart(2, '0')}`;
  } else {
    s = Number(x.toPrecision(15)).toFixed(Math.max(0, 14 - exp));
    if (s.includes('.')) s = s.replace(/0+$/, '').replace(/\.$/, '');
  }
  return s.replace('.', ',');
}

// A computed result as the result table shows it: hundredths, then the general form.
export function fmt(x) {
  if (typeof x !== 'number' || !Number.isFinite(x)) return '';
  return formatGeneral(roundHundredths(x));
}
