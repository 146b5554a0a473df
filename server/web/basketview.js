// The basket dialog "Корзина": its rows as editable cells, the costs and total as they are typed,
// rows typed by hand, deleting rows, and the offer and CSV downloads.
import { Basket } from './basket.js';
import { formatGeneral } from './numbers.js';

const $ = (id) => document.getElementById(id);
const FIELDS = ['type', 'model', 'quantity', 'price'];

export class BasketView {
  // `documents`: offerPdf() and offerCsv() give the files as blobs, download(blob, name) saves one.
  constructor(basket, documents) {
    this.basket = basket;
    $('basketButton').addEventListener('click', () => {
      this.render();
      $('basket').showModal();
    });
    $('closeBasket').addEventListener('click', () => $('basket').close());
    $('addRow').addEventListener('click', () => {
      basket.addTyped();
      this.render();
      $('basketTable').querySelector(`input[data-row="${basket.rows.length - 1}"][data-field=type]`)?.focus();
    });
    $('basketTable').addEventListener('input', (e) => {
      const t = e.target;
      if (t.dataset.field) {
        basket.set(+t.dataset.row, t.dataset.field, t.value);
        this.showTotal();
      }
    });
    $('basketTable').addEventListener('click', (e) => {
      const i = e.target.dataset?.remove;
      if (i !== undefined) {
        basket.remove(+i);
        this.render();
      }
    });
    const save = (make, name) => async () => {
      this.message('');
      try {
        documents.download(await make(), name);
      } catch (e) {
        this.message(`Документ не получен: ${e.message}`);
      }
    };
    $('offer').addEventListener('click', save(documents.offerPdf, 'Коммерческое предложение.pdf'));
    $('csv').addEventListener('click', save(documents.offerCsv, 'Корзина.csv'));
  }

  message(text) {
    $('basketMessage').textContent = text;
    $('basketMessage').hidden = !text;
  }

  render() {
    const body = document.createDocumentFragment();
    const headings = [...$('basketTable').tHead.rows[0].cells].map((c) => c.textContent);
    this.basket.rows.forEach((r, i) => {
      const tr = document.createElement('tr');
      FIELDS.forEach((f, k) => {
        const input = Object.assign(document.createElement('input'), { value: r[f] });
        input.dataset.row = String(i);
        input.dataset.field = f;
        if (f === 'quantity' || f === 'price') input.inputMode = 'decimal';
        input.setAttribute('aria-label', `${headings[k]}, строка ${i + 1}`);
        const td = document.createElement('td');
        td.append(input);
        tr.append(td);
      });
      tr.append(Object.assign(document.createElement('td'), { className: 'num cost' }));
      const del = Object.assign(document.createElement('button'), { type: 'button', textContent: 'Удалить' });
      del.dataset.remove = String(i);
      const td = document.createElement('td');
      td.append(del);
      tr.append(td);
      body.append(tr);
    });
    $('basketTable').tBodies[0].replaceChildren(body);
    this.showTotal();
  }

  // Costs and total follow every keystroke, as the desktop basket recomputes on each edit.
  showTotal() {
    $('total').value = formatGeneral(this.basket.total());
    const n = this.basket.rows.length;
    $('basketCount').textContent = n ? `(${n})` : '';
    const costs = $('basketTable').querySelectorAll('td.cost');
    this.basket.rows.forEach((r, i) => {
      if (costs[i]) costs[i].textContent = formatGeneral(Basket.cost(r));
    });
  }
}
