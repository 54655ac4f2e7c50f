// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The painted labels as assistive technology meets them, as the window exposes them: each
// lies over its painted caption, transparent; those that take clicks are buttons named by
// their captions, whose press is a click in their middle; the counts are read with their
// captions; and what a player must hear goes to the live region.

export class AccessibleLabels {
  // `press` clicks a label at the middle of its place in the window, in twips.
  constructor(press) {
    this.layer = document.getElementById('labels');
    this.news = document.getElementById('news');
    this.press = press;
    this.elements = new Map();
  }

  elementFor(label) {
    let element = this.elements.get(label.name);
    if (element) return element;
    if (label.click) {
      element = document.createElement('button');
      element.type = 'button';
      // A keyboard's or a screen reader's press; a pointer's goes to the form as it is.
      element.addEventListener('click', (event) => {
        if (event.detail === 0) this.press(element.dataset.click.split(',').map(Number));
      });
    } else {
      element = document.createElement('span');
      if (label.labelledBy) {
        element.setAttribute('role', 'status');
        element.setAttribute('aria-live', 'off');
        element.setAttribute('aria-labelledby', `a-${label.labelledBy}`);
      }
    }
    element.id = `a-${label.name}`;
    this.layer.append(element);
    this.elements.set(label.name, element);
    return element;
  }

  sync(shown) {
    const frame = shown.Frame1;
    const place = (label, dx, dy, shownHere) => {
      const element = this.elementFor(label);
      element.hidden = !(label.visible && shownHere);
      Object.assign(element.style, {
        left: `${label.x + dx}px`, top: `${label.y + dy}px`, width: `${label.w}px`, height: `${label.h}px`,
      });
      if (element.textContent !== label.readable) element.textContent = label.readable;
      if (label.click) {
        element.dataset.click = label.click.join(',');
        element.setAttribute('aria-disabled', String(!label.enabled));
      }
    };
    for (const c of shown.window) if (c.kind === 'label') place(c, 0, 0, true);
    for (const c of shown.panel) if (c.kind === 'label') place(c, frame.x, frame.y, frame.visible);
    if (shown.news) {
      this.news.setAttribute('aria-live', shown.newsCanWait ? 'polite' : 'assertive');
      this.news.textContent = shown.news;
    }
  }
}
