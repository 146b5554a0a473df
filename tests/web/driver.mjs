// What the two browser drivers share (cdp.mjs for Chromium, bidi.mjs for Firefox): a page waits,
// finds elements and types the same way whichever protocol carries its clicks and keys, and a
// browser is ended the same way.
import { rmSync } from 'node:fs';

// A driver's page gives eval(expression), click(selector, clickCount), insertText(text) and tab().
export class PageBase {
  // Waits until the expression is truthy; its value.
  async waitFor(expression, what, ms = 15000) {
    const until = Date.now() + ms;
    for (;;) {
      const v = await this.eval(expression);
      if (v) return v;
      if (Date.now() > until) throw new Error(`timed out waiting for ${what ?? expression}`);
      await new Promise((r) => setTimeout(r, 50));
    }
  }

  // The centre of the element the selector finds, scrolled into view.
  async centre(selector) {
    const box = await this.eval(`(() => {
      const e = document.querySelector(${JSON.stringify(selector)});
      if (!e) return null;
      e.scrollIntoView({ block: 'center' });
      const r = e.getBoundingClientRect();
      return r.width && r.height ? [r.x + r.width / 2, r.y + r.height / 2] : null;
    })()`);
    if (!box) throw new Error(`no visible element ${selector}`);
    return box;
  }

  // Replaces the text of a field as a user does: click into it, select all, type, Tab away.
  async type(selector, text, { leave = true } = {}) {
    await this.click(selector);
    await this.eval(`document.querySelector(${JSON.stringify(selector)}).select()`);
    await this.insertText(text);
    if (leave) await this.tab();
  }
}

// Ends the browser: the protocol's `command` to close it, a kill when it has not ended
// `killAfter` ms later, and its profile folder removed.
export async function closeBrowser(browser, command, killAfter) {
  try {
    await Promise.race([browser.send(command), new Promise((r) => setTimeout(r, 3000))]);
  } catch {
    // already gone
  }
  const killer = setTimeout(() => browser.proc.kill('SIGKILL'), killAfter);
  await browser.exited;
  clearTimeout(killer);
  rmSync(browser.profile, { recursive: true, force: true });
}
