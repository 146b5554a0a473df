// A small DevTools-protocol driver for the system Chromium: the browser is started headless with
// its protocol on a pipe (file descriptors 3 and 4, messages ended by a NUL byte), so no
// network port and no library is needed.
import { spawn } from 'node:child_process';
import { mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { closeBrowser, PageBase } from './driver.mjs';

export class Browser {
  static async launch(executable, { downloads } = {}) {
    const profile = mkdtempSync(join(tmpdir(), 'tundrix-chromium-'));
    const args = [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-dev-shm-usage', '--hide-scrollbars', '--mute-audio', '--lang=ru-RU',
      '--no-default-browser-check', `--user-data-dir=${profile}`, '--remote-debugging-pipe',
      'about:blank',
    ];
    const proc = spawn(executable, args, { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
    const b = new Browser(proc, profile);
    proc.stderr.on('data', (d) => {
      b.stderr = (b.stderr + d.toString()).slice(-4000);
    });
    await b.send('Browser.getVersion');
    if (downloads) await b.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    return b;
  }

  constructor(proc, profile) {
    this.proc = proc;
    this.profile = profile;
    this.stderr = '';
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.exited = new Promise((resolve) => proc.on('exit', resolve));
    this.proc.on('exit', (code) => {
      for (const { reject } of this.pending.values())
        reject(new Error(`chromium ended (${code}): ${this.stderr}`));
      this.pending.clear();
    });
    let buffer = Buffer.alloc(0);
    proc.stdio[4].on('data', (chunk) => {
      buffer = Buffer.concat([buffer, chunk]);
      let end;
      while ((end = buffer.indexOf(0)) >= 0) {
        const message = JSON.parse(buffer.subarray(0, end).toString('utf8'));
        buffer = buffer.subarray(end + 1);
        this.dispatch(message);
      }
    });
  }

  dispatch(m) {
    if (m.id !== undefined) {
      const p = this.pending.get(m.id);
      this.pending.delete(m.id);
      if (!p) return;
      if (m.error) p.reject(new Error(`${p.method}: ${m.error.message}`));
      else p.resolve(m.result);
      return;
    }
    for (const l of [...this.listeners]) l(m);
  }

  send(method, params = {}, sessionId) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.proc.stdio[3].write(JSON.stringify(message) + '\0');
    });
  }

  on(listener) {
    this.listeners.push(listener);
    return () => (this.listeners = this.listeners.filter((l) => l !== listener));
  }

  async newPage() {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(this, sessionId);
    await page.send('Page.enable');
    await page.send('Runtime.enable');
    return page;
  }

  close() {
    return closeBrowser(this, 'Browser.close', 3000);
  }
}

export class Page extends PageBase {
  constructor(browser, sessionId) {
    super();
    this.browser = browser;
    this.sessionId = sessionId;
    this.errors = [];
    browser.on((m) => {
      if (m.sessionId !== sessionId) return;
      if (m.method === 'Runtime.exceptionThrown')
        this.errors.push(m.params.exceptionDetails.exception?.description ?? m.params.exceptionDetails.text);
      if (m.method === 'Runtime.consoleAPICalled' && m.params.type === 'error')
        this.errors.push(m.params.args.map((a) => a.value ?? a.description).join(' '));
    });
  }

  send(method, params) {
    return this.browser.send(method, params, this.sessionId);
  }

  // The value of an expression evaluated in the page (promises awaited).
  async eval(expression) {
    const r = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (r.exceptionDetails)
      throw new Error(`${expression}: ${r.exceptionDetails.exception?.description ?? r.exceptionDetails.text}`);
    return r.result.value;
  }

  async goto(url) {
    await this.send('Page.navigate', { url });
  }

  // A window of the given size; a mobile one (a tablet) is touched instead of clicked.
  async size(width, height, mobile = false) {
    await this.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile });
    if (mobile) await this.send('Emulation.setTouchEmulationEnabled', { enabled: true });
  }

  // A mouse click as a user makes it (clickCount 2: a double click).
  async click(selector, clickCount = 1) {
    const [x, y] = await this.centre(selector);
    await this.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
    for (let n = 1; n <= clickCount; ++n) {
      await this.send('Input.dispatchMouseEvent', { type: 'mousePressed', x, y, button: 'left', clickCount: n });
      await this.send('Input.dispatchMouseEvent', { type: 'mouseReleased', x, y, button: 'left', clickCount: n });
    }
  }

  async key(key, code, keyCode) {
    await this.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', key, code, windowsVirtualKeyCode: keyCode });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', key, code, windowsVirtualKeyCode: keyCode });
  }

  async insertText(text) {
    await this.send('Input.insertText', { text });
  }

  async tab() {
    await this.key('Tab', 'Tab', 9);
  }

  // The files chosen in a file field, as a user picks them in the dialog.
  async setFiles(selector, files) {
    const { root } = await this.send('DOM.getDocument', {});
    const { nodeId } = await this.send('DOM.querySelector', { nodeId: root.nodeId, selector });
    await this.send('DOM.setFileInputFiles', { nodeId, files });
  }

  async screenshot() {
    const { data } = await this.send('Page.captureScreenshot', { format: 'png' });
    return Buffer.from(data, 'base64');
  }
}
