// The calculation file (.tundrix): UTF-8 JSON that the desktop program writes and opens too. The
// page writes the members it has and carries the chilled liquid, which it does not edit, over
// from the file it opened. Version 2 names refrigerants by caption (version 1 by the selector's
// index); both are read.
export const FORMAT = 'tundrix-calculation';
export const VERSION = 2;

// Local date and time as the file keeps it: "2025-03-14T10:15:00".
export function localStamp(d = new Date()) {
  const p = (n) => String(n).padStart(2, '0');
  return `${d.getFullYear()}-${p(d.getMonth() + 1)}-${p(d.getDate())}T${p(d.getHours())}:${p(d.getMinutes())}:${p(d.getSeconds())}`;
}

const finite = (v) => (typeof v === 'number' && Number.isFinite(v) ? v : null);

export function toFile({ inputs, liquid, options, cursor, results, basket, total }) {
  const doc = { format: FORMAT, version: VERSION, saved: localStamp(), inputs };
  if (liquid) doc.liquid = liquid;
  doc.options = options;
  doc.cursor = cursor;
  doc.results = results.map((r) => ({
    tab: r.tab,
    name: r.name,
    capacity: finite(r.capacity),
    power: finite(r.power),
    heat: finite(r.heat),
    current: finite(r.current),
    price: finite(r.price),
  }));
  doc.basket = basket;
  doc.total = finite(total);
  return doc;
}

// The file's text as an object, refused when it is not a calculation or is of a newer version
// (the server checks every value as the desktop program does before the page takes it).
export function fromFile(text) {
  let doc;
  try {
    doc = JSON.parse(text);
  } catch {
    throw new Error(`это не файл расчета Tundrix (нет формата «${FORMAT}»)`);
  }
  if (!doc || typeof doc !== 'object' || doc.format !== FORMAT)
    throw new Error(`это не файл расчета Tundrix (нет формата «${FORMAT}»)`);
  if (Number.isInteger(doc.version) && doc.version > VERSION)
    throw new Error(
      `файл записан более новой версией программы (версия формата ${doc.version}, эта программа читает версию ${VERSION})`,
    );
  return doc;
}
