// A small WebDriver BiDi driver for the system Firefox, with the same Browser/Page interface as
// cdp.mjs: the browser is started headless on a fresh profile with its protocol on a loopback
// port it picks itself (it names the port on standard error); Node's own WebSocket client talks
// to it, so no library is needed (node --experimental-websocket on Node 20).
import { spawn } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { closeBrowser, PageBase } from './driver.mjs';

// Downloads go to the given folder without asking; PDFs are saved, not shown.
function preferences(downloads) {
  const prefs = {
    'browser.download.folderList': 2,
    'browser.download.dir': downloads,
    'browser.download.useDownloadDir': true,
    'browser.download.always_ask_before_handling_new_types': false,
    'browser.download.start_downloads_in_tmp_dir': false,
    'browser.helperApps.neverAsk.saveToDisk': 'application/pdf,text/csv,application/json,application/octet-stream',
    'pdfjs.disabled': true,
    'browser.shell.checkDefaultBrowser': false,
    'datareporting.policy.dataSubmissionEnabled': false,
    'toolkit.telemetry.enabled': false,
    'app.update.enabled': false,
    'intl.accept_languages': 'ru-RU, ru',
  };
  return Object.entries(prefs).map(([k, v]) => `user_pref(${JSON.stringify(k)}, ${JSON.stringify(v)});\n`).join('');
}

// A BiDi value (script.evaluate's result) as a plain JavaScript value.
function plain(v) {
  switch (v?.type) {
    case 'undefined': return undefined;
    case 'null': return null;
    case 'string': case 'boolean': return v.value;
    case 'number': return typeof v.value === 'number' ? v.value : Number(v.value);
    case 'array': return v.value.map(plain);
    case 'object': return Object.fromEntries(v.value.map(([k, x]) => [typeof k === 'string' ? k : plain(k), plain(x)]));
    default: return v;
  }
}

export class Browser {
  static async launch(executable, { downloads } = {}) {
    if (typeof WebSocket !== 'function') throw new Error('run node with --experimental-websocket');
    const profile = mkdtempSync(join(tmpdir(), 'tundrix-firefox-'));
    writeFileSync(join(profile, 'user.js'), preferences(downloads ?? tmpdir()));
    const proc = spawn(executable, ['--headless', '--no-remote', '--profile', profile, '--remote-debugging-port', '0', 'about:blank'],
      { stdio: ['ignore', 'ignore', 'pipe'], env: { ...process.env, MOZ_CRASHREPORTER_DISABLE: '1' } });
    let stderr = '';
    const url = await new Promise((resolve, reject) => {
      const timer = setTimeout(() => reject(new Error(`firefox did not start its protocol: ${stderr}`)), 60000);
      proc.on('exit', (code) => reject(new Error(`firefox ended (${code}): ${stderr}`)));
      proc.stderr.on('data', (d) => {
        stderr = (stderr + d.toString()).slice(-4000);
        const m = /WebDriver BiDi listening on (ws:\/\/\S+)/.exec(stderr);
        if (m) {
          clearTimeout(timer);
          resolve(m[1]);
        }
      });
    });
    const socket = new WebSocket(`${url}/session`);
    await new Promise((resolve, reject) => {
      socket.onopen = resolve;
      socket.onerror = () => reject(new Error(`cannot reach ${url}`));
    });
    const b = new Browser(proc, profile, socket);
    await b.send('session.new', { capabilities: { alwaysMatch: { acceptInsecureCerts: true } } });
    await b.send('session.subscribe', { events: ['log.entryAdded'] });
    return b;
  }

  constructor(proc, profile, socket) {
    this.proc = proc;
    this.profile = profile;
    this.socket = socket;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.exited = new Promise((resolve) => proc.on('exit', resolve));
    socket.onmessage = (e) => this.dispatch(JSON.parse(e.data));
    socket.onclose = () => {
      for (const { reject, method } of this.pending.values()) reject(new Error(`${method}: firefox closed the connection`));
      this.pending.clear();
    };
  }

  dispatch(m) {
    if (m.id !== undefined && m.id !== null) {
      const p = this.pending.get(m.id);
      this.pending.delete(m.id);
      if (!p) return;
      if (m.type === 'error') p.reject(new Error(`${p.method}: ${m.error}: ${m.message}`));
      else p.resolve(m.result);
      return;
    }
    for (const l of [...this.listeners]) l(m);
  }

  send(method, params = {}) {
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.socket.send(JSON.stringify({ id, method, params }));
    });
  }

  on(listener) {
    this.listeners.push(listener);
  }

  async newPage() {
    const { contexts } = await this.send('browsingContext.getTree', {});
    return new Page(this, contexts[0].context);
  }

  close() {
    return closeBrowser(this, 'browser.close', 5000);
  }
}

export class Page extends PageBase {
  constructor(browser, context) {
    super();
    this.browser = browser;
    this.context = context;
    this.errors = [];
    browser.on((m) => {
      if (m.method !== 'log.entryAdded' || m.params.source?.context !== context || m.params.level !== 'error') return;
      this.errors.push(m.params.text);
    });
  }

  send(method, params) {
    return this.browser.send(method, { context: this.context, ...params });
  }

  async evaluate(expression, ownership = 'none') {
    const r = await this.browser.send('script.evaluate', {
      expression, target: { context: this.context }, awaitPromise: true, resultOwnership: ownership,
    });
    if (r.type === 'exception') throw new Error(`${expression}: ${r.exceptionDetails.text}`);
    return r.result;
  }

  // The value of an expression evaluated in the page (promises awaited).
  async eval(expression) {
    return plain(await this.evaluate(expression));
  }

  async goto(url) {
    await this.send('browsingContext.navigate', { url, wait: 'interactive' });
  }

  async size(width, height) {
    await this.send('browsingContext.setViewport', { viewport: { width, height } });
  }

  // Pointer actions take whole pixels.
  async click(selector, clickCount = 1) {
    const [x, y] = (await this.centre(selector)).map(Math.round);
    const actions = [{ type: 'pointerMove', x, y }];
    for (let n = 0; n < clickCount; ++n) actions.push({ type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 });
    await this.send('input.performActions', { actions: [{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions }] });
  }

  async keys(values) {
    const actions = values.flatMap((value) => [{ type: 'keyDown', value }, { type: 'keyUp', value }]);
    await this.send('input.performActions', { actions: [{ type: 'key', id: 'keyboard', actions }] });
  }

  // Typed key by key, as a user types.
  async insertText(text) {
    await this.keys([...text]);
  }

  async tab() {
    await this.keys(['\uE004']);
  }

  async setFiles(selector, files) {
    const element = await this.evaluate(`document.querySelector(${JSON.stringify(selector)})`, 'root');
    await this.send('input.setFiles', { element: { sharedId: element.sharedId }, files });
  }

  async screenshot() {
    const { data } = await this.send('browsingContext.captureScreenshot', {});
    return Buffer.from(data, 'base64');
  }
}
