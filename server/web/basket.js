// The basket, kept in the browser: rows of type, model, quantity and price as the user typed
// them, the catalogue unit behind each row picked from a result table (none for rows typed by
// hand), costs and the total computed as the desktop program's basket computes them.
import { formatGeneral, parseNumber } from './numbers.js';

const KEY = 'tundrix.basket';

export const HEADINGS = ['Тип оборудования', 'Модель', 'Кол-во', 'Цена', 'Стоимость'];

// The type text a pick from each kind tab writes (the racks and chillers write the
// compressor-receiver text, as in the desktop program).
export const typeText = (tab) =>
  tab === 'out' ? 'Компрессорно-конденсаторный агрегат' : 'Компрессорно-ресиверный агрегат';

export class Basket {
  constructor(storage = window.localStorage) {
    this.storage = storage;
    this.rows = [];
    try {
      const saved = JSON.parse(storage.getItem(KEY) ?? '[]');
      if (Array.isArray(saved)) this.rows = saved.filter((r) => r && typeof r === 'object');
    } catch {
      this.rows = [];
    }
    this.rows = this.rows.map((r) => ({
      type: String(r.type ?? ''),
      model: String(r.model ?? ''),
      quantity: String(r.quantity ?? ''),
      price: String(r.price ?? ''),
      unit: r.unit ?? null,
    }));
  }

  save() {
    this.storage.setItem(KEY, JSON.stringify(this.rows));
  }

  // Cost of a row: quantity (1 when not a number) times price (0 when not a number).
  static cost(row) {
    return (parseNumber(row.quantity) ?? 1) * (parseNumber(row.price) ?? 0);
  }

  // The total is added up through the costs as shown, as the desktop adds them.
  total() {
    let t = 0;
    for (const r of this.rows) t = parseNumber(formatGeneral(t + (parseNumber(formatGeneral(Basket.cost(r))) ?? 0))) ?? 0;
    return t;
  }

  // One more of the unit called `model` (the result table's text): a row of that model gets its
  // quantity raised by one and keeps its price; otherwise a new row with quantity 1. Returns
  // false when the row's quantity is not a number (nothing changes then).
  add(type, model, price, unit) {
    if (!model) return false;
    let match = -1;
    this.rows.forEach((r, i) => {
      if (r.model === model) match = i;
    });
    if (match >= 0) {
      const q = parseNumber(this.rows[match].quantity);
      if (q === null) return false;
      this.rows[match].quantity = formatGeneral(q + 1);
    } else {
      this.rows.push({ type, model, quantity: '1', price, unit });
    }
    this.save();
    return true;
  }

  addTyped() {
    this.rows.push({ type: '', model: '', quantity: '1', price: '', unit: null });
    this.save();
  }

  // What the user types into a cell. A model typed over makes the row one typed by hand.
  set(i, field, text) {
    const r = this.rows[i];
    if (!r) return;
    if (field === 'model' && text !== r.model) r.unit = null;
    r[field] = text;
    this.save();
  }

  remove(i) {
    this.rows.splice(i, 1);
    this.save();
  }

  clear() {
    this.rows = [];
    this.save();
  }

  // The calculation file's `basket` member: numbers where the cells read as numbers.
  toFile() {
    const value = (text) => parseNumber(text) ?? text;
    return this.rows
      .filter((r) => r.type || r.model || r.quantity || r.price)
      .map((r) => {
        const c = Basket.cost(r);
        return {
          type: r.type,
          model: r.model,
          quantity: value(r.quantity),
          price: value(r.price),
          cost: Number.isFinite(c) ? c : null,
          unit: r.unit ?? null,
        };
      });
  }

  fromFile(list) {
    const text = (v) => (typeof v === 'number' ? formatGeneral(v) : String(v ?? ''));
    this.rows = (list ?? []).map((r) => ({
      type: String(r.type ?? ''),
      model: String(r.model ?? ''),
      quantity: text(r.quantity),
      price: text(r.price),
      unit: r.unit ?? null,
    }));
    this.save();
  }
}
